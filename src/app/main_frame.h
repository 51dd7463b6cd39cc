#pragma once

#include "framework/frame.h"
#include "framework/handles.h"
#include "pictures/scale.h"

// The main window: fixed size, centred, no menu and no minimize or maximize box, caption
// "Ralimet" read right to left; its client area is the launcher view, exactly the size of the
// panel at the screen's scale.
class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)

 public:
  // The outer size that leaves the view, inside its sunken edge, the panel's size at the scale
  // under the system's frame metrics: 300 x 417 at 96 DPI with a 3-pixel frame and an 18-pixel
  // caption.
  static SIZE OuterSize(DWORD style, DWORD exStyle, Scale scale);

 protected:
  bool PreCreateWindow(CREATESTRUCTW& cs) override;
  int OnCreate(CREATESTRUCTW* pCreateStruct) override;
  void OnSize(UINT type, int cx, int cy) override;
  BOOL OnQueryNewPalette() override;
  void OnPaletteChanged(HWND hwndFocus) override;
  // The size the window will take at a new DPI, asked before it moves onto another monitor.
  LRESULT OnGetDpiScaledSize(WPARAM wParam, LPARAM lParam);
  // On a monitor of another scale: the suggested rectangle, and the panel at that scale.
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
  // The caption's icon drawn at the system's small-icon size for the scale.
  void UseCaptionIcon(Scale scale);
  // Sizes the window so that the view's client area is the panel at the scale, whatever this
  // DPI's frame and edge measure.
  void FitViewToPanel(Scale scale);

  DECLARE_MESSAGE_MAP()

 private:
  UniqueIcon m_hSmallIcon;
};
