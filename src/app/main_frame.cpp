#include "app/main_frame.h"

#include "pictures/palette_window.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

SIZE CMainFrame::OuterSize(DWORD style, DWORD exStyle) {
  RECT rect{0, 0, kPanelSize.cx + 2 * GetSystemMetrics(SM_CXEDGE),
            kPanelSize.cy + 2 * GetSystemMetrics(SM_CYEDGE)};
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

bool CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) {
  if (cs.hMenu) DestroyMenu(cs.hMenu);
  cs.hMenu = nullptr;
  cs.style &= ~WS_THICKFRAME;
  const SIZE outer = OuterSize(cs.style, cs.dwExStyle);
  cs.cx = outer.cx;
  cs.cy = outer.cy;
  cs.x = (GetSystemMetrics(SM_CXSCREEN) - outer.cx) / 2;
  cs.y = (GetSystemMetrics(SM_CYSCREEN) - outer.cy) / 2;
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

BOOL CMainFrame::OnQueryNewPalette() {
  return RealizePicturePalette(this);
}

void CMainFrame::OnPaletteChanged(HWND hwndFocus) {
  CFrameWnd::OnPaletteChanged(hwndFocus);
  if (hwndFocus != m_hWnd) RealizePicturePalette(this);
}
