#pragma once

#include <array>
#include <memory>

#include "framework/frame.h"
#include "framework/handles.h"
#include "panel/panel_button.h"

// The launcher: the panel picture with its twelve buttons, followed by the mouse and the arrow
// keys. A completed click or Enter runs the button's window. Owns the panel palette that every
// window of the program realises, and the click sound.
class CRalimetView : public CView {
  DECLARE_DYNCREATE(CRalimetView)

 public:
  static constexpr int kButtonCount = 12;
  static constexpr int kAboutButton = 10;
  static constexpr int kExitButton = 11;

  CRalimetView();
  ~CRalimetView() override;

  HPALETTE GetPalette() const { return m_hPalette.get(); }
  // Runs the action of button n: its modal window, or the end of the program (exit code 1).
  void RunButton(int n);

  int GetHot() const { return m_nHot; }
  int GetPressed() const { return m_nPressed; }
  const CPanelButton& GetButton(int n) const { return *m_pButtons[n]; }

 protected:
  bool PreCreateWindow(CREATESTRUCTW& cs) override;
  void OnDraw(HDC hdc) override;
  int OnCreate(CREATESTRUCTW* pCreateStruct) override;
  void OnPaint() override;
  void OnLButtonDown(UINT flags, POINT point) override;
  void OnMouseMove(UINT flags, POINT point) override;
  void OnLButtonUp(UINT flags, POINT point) override;
  void OnKeyDown(UINT vk, UINT repeatCount, UINT flags) override;
  void OnKeyUp(UINT vk, UINT repeatCount, UINT flags) override;

 private:
  // Sets button n's state and redraws it when that changed.
  void SetButtonState(int n, std::uint8_t state);
  void RedrawButton(int n);
  int ButtonAt(POINT point) const;
  // Moves the keyboard's current button by step (1 or -1), wrapping around the twelve.
  void StepHot(int step);

  int m_nHot = -1;
  int m_nPressed = -1;
  std::array<std::unique_ptr<CPanelButton>, kButtonCount> m_pButtons;
  UniquePalette m_hPalette;
  HGLOBAL m_hWaveRes = nullptr;
  int m_nBitmapBase = 0;
};
