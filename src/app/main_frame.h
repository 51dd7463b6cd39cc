#pragma once

#include "framework/frame.h"

// The main window: fixed size, centred, no menu and no minimize or maximize box, caption
// "Ralimet" read right to left; its client area is the launcher view, exactly the size of the
// panel picture.
class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)

 public:
  static constexpr SIZE kPanelSize{290, 389};

  // The outer size that leaves the view, inside its sunken edge, the panel's size under the
  // system's frame metrics: 300 x 417 with a 3-pixel frame and an 18-pixel caption.
  static SIZE OuterSize(DWORD style, DWORD exStyle);

 protected:
  bool PreCreateWindow(CREATESTRUCTW& cs) override;
  int OnCreate(CREATESTRUCTW* pCreateStruct) override;
  void OnSize(UINT type, int cx, int cy) override;
  BOOL OnQueryNewPalette() override;
  void OnPaletteChanged(HWND hwndFocus) override;
};
