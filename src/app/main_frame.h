#pragma once

#include "framework/frame.h"

// The main window: fixed size, centred, no menu and no minimize or maximize box, caption
// "Ralimet" read right to left; its client area is the launcher view.
class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)

 public:
  static constexpr int kWidth = 300;
  static constexpr int kHeight = 417;

 protected:
  bool PreCreateWindow(CREATESTRUCTW& cs) override;
  int OnCreate(CREATESTRUCTW* pCreateStruct) override;
  void OnSize(UINT type, int cx, int cy) override;
  BOOL OnQueryNewPalette() override;
  void OnPaletteChanged(HWND hwndFocus) override;
};
