#include "app/main_frame.h"

#include "panel/panel_palette.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

bool CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.cx = kWidth;
  cs.cy = kHeight;
  cs.x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  cs.y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  if (cs.hMenu) DestroyMenu(cs.hMenu);
  cs.hMenu = nullptr;
  cs.style &= ~WS_THICKFRAME;
  return CFrameWnd::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(CREATESTRUCTW* pCreateStruct) {
  if (CFrameWnd::OnCreate(pCreateStruct) == -1) return -1;
  // Without FWS_ADDTOTITLE the caption stays "Ralimet" and never names a document.
  const LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
  SetWindowLongPtrW(m_hWnd, GWL_STYLE, style & ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX | FWS_ADDTOTITLE));
  const LONG_PTR exStyle = GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
  SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_RIGHT | WS_EX_RTLREADING);
  return 0;
}

// The view keeps the layout made at creation.
void CMainFrame::OnSize(UINT, int, int) {}

BOOL CMainFrame::OnQueryNewPalette() { return RealizePanelPalette(this, this); }

void CMainFrame::OnPaletteChanged(HWND hwndFocus) {
  CFrameWnd::OnPaletteChanged(hwndFocus);
  if (hwndFocus != m_hWnd) RealizePanelPalette(this, this);
}
