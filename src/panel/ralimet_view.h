#pragma once

#include <array>
#include <memory>

#include "framework/frame.h"
#include "framework/handles.h"
#include "panel/panel_button.h"
#include "panel/panel_layout.h"

class CAccessibleServer;
class CPictureSet;

// The launcher: the panel picture with its twelve buttons, followed by the mouse and the arrow
// keys. A completed click or Enter runs the button's window. Holds the picture set, whose palette
// every window of the program realises, the click sound, and the panel's accessible object, through
// which screen readers read and press the buttons.
class CRalimetView : public CView {
  DECLARE_DYNCREATE(CRalimetView)

 public:
  static constexpr int kButtonCount = panel::kButtonCount;
  static constexpr int kAboutButton = panel::kAboutButton;
  static constexpr int kExitButton = panel::kExitButton;

  CRalimetView();
  ~CRalimetView() override;

  HPALETTE GetPalette() const;
  // The screen's scale the panel is drawn and hit at; a new one repaints it.
  Scale GetScale() const { return m_scale; }
  void SetScale(Scale scale);
  // Runs the action of button n: its modal window, or the end of the program (exit code 1).
  void RunButton(int n);

  int GetHot() const { return m_nHot; }
  int GetPressed() const { return m_nPressed; }
  const CPanelButton& GetButton(int n) const { return *m_pButtons[n]; }
  // The caption painted on button n's face.
  static const wchar_t* GetCaption(int n);
  // The button under a point of the client area, or -1.
  int ButtonAt(POINT point) const;
  bool HasFocus() const { return m_hWnd && GetFocus() == m_hWnd; }
  // False while one of the panel's windows is open (the main window is disabled then).
  bool TakesClicks() const { return m_hWnd && IsWindowEnabled(GetAncestor(m_hWnd, GA_ROOT)); }

  // Makes button n the keyboard's current button, as an arrow key landing on it does.
  void MakeCurrent(int n);
  // Clicks button n once the message being handled has been answered: it becomes the current
  // button, is pressed and released, and runs.
  void PostClick(int n);

 protected:
  bool PreCreateWindow(CREATESTRUCTW& cs) override;
  // The panel and its faces at the scale.
  void OnDraw(HDC hdc) override;
  int OnCreate(CREATESTRUCTW* pCreateStruct) override;
  void OnLButtonDown(UINT flags, POINT point) override;
  void OnMouseMove(UINT flags, POINT point) override;
  void OnLButtonUp(UINT flags, POINT point) override;
  void OnKeyDown(UINT vk, UINT repeatCount, UINT flags) override;
  void OnKeyUp(UINT vk, UINT repeatCount, UINT flags) override;
  void OnSetFocus(HWND hwndOld) override;
  LRESULT OnGetObject(WPARAM wParam, LPARAM lParam) override;
  void OnDestroy() override;
  // The click that PostClick asked for: wParam is the button.
  LRESULT OnClickButton(WPARAM wParam, LPARAM lParam);
  LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  // Sets button n's state; when that changed, redraws it, tells screen readers and answers true.
  bool SetButtonState(int n, std::uint8_t state);
  void RedrawButton(int n);
  // Moves the keyboard's current button by step (1 or -1), wrapping around the twelve.
  void StepHot(int step);
  // Records the current button and, while the view has the focus, tells screen readers.
  void SetHot(int n);
  void ClickButton(int n);
  // A WinEvent about button n (child id n + 1), or about the panel itself for -1.
  void NotifyReaders(DWORD event, int n) const;

  int m_nHot = -1;
  int m_nPressed = -1;
  std::array<std::unique_ptr<CPanelButton>, kButtonCount> m_pButtons;
  std::unique_ptr<CPictureSet> m_pPictures;
  Scale m_scale;
  std::unique_ptr<CAccessibleServer> m_pAccessible;
};
