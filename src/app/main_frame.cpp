#include "app/main_frame.h"

#include "framework/dialog.h"
#include "panel/panel_layout.h"
#include "panel/ralimet_view.h"
#include "pictures/palette_window.h"
#include "platform/platform.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

namespace {
// WM_GETDPISCALEDSIZE of Windows 10 (1703), past the headers of the oldest system the program runs
// on.
constexpr UINT kGetDpiScaledSize = 0x02E4;
}  // namespace

const CommandRoute CMainFrame::kRoutes[] = {
    OnMessage(kGetDpiScaledSize, &CMainFrame::OnGetDpiScaledSize),
    OnMessage(WM_DPICHANGED, &CMainFrame::OnDpiChanged),
    OnMessage(WM_GETMINMAXINFO, &CMainFrame::OnGetMinMaxInfo),
};
const MessageMap CMainFrame::kMessageMap{&CFrameWnd::kMessageMap, kRoutes};

SIZE CMainFrame::OuterSize(DWORD style, DWORD exStyle, Scale scale) {
  const SIZE panel = scale(panel::kDesignSize);
  RECT rect{0, 0, panel.cx + 2 * platform::SystemMetricForDpi(SM_CXEDGE, scale.dpi),
            panel.cy + 2 * platform::SystemMetricForDpi(SM_CYEDGE, scale.dpi)};
  platform::AdjustWindowRectForDpi(rect, style, exStyle, scale.dpi);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

bool CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) {
  if (cs.hMenu) DestroyMenu(cs.hMenu);
  cs.hMenu = nullptr;
  cs.style &= ~WS_THICKFRAME;
  // Not yet on a monitor of its own: the window opens at the system's scale.
  const SIZE outer = OuterSize(cs.style, cs.dwExStyle, Scale{platform::WindowDpi(nullptr)});
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
  const Scale scale{platform::WindowDpi(m_hWnd)};
  FitViewToPanel(scale);
  UseCaptionIcon(scale);
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

LRESULT CMainFrame::OnGetDpiScaledSize(WPARAM wParam, LPARAM lParam) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE));
  *reinterpret_cast<SIZE*>(lParam) = OuterSize(style, exStyle, Scale{LOWORD(wParam)});
  return TRUE;
}

LRESULT CMainFrame::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  const Scale scale{LOWORD(wParam)};
  if (auto* pView = dynamic_cast<CRalimetView*>(GetActiveView())) pView->SetScale(scale);
  MoveToSuggestedRect(m_hWnd, lParam);
  FitViewToPanel(scale);
  UseCaptionIcon(scale);
  return 0;
}

void CMainFrame::FitViewToPanel(Scale scale) {
  RecalcLayout();
  const HWND pane = GetDlgItem(AFX_IDW_PANE_FIRST);
  if (!pane) return;
  RECT view;
  RECT outer;
  GetClientRect(pane, &view);
  GetWindowRect(m_hWnd, &outer);
  const SIZE panel = scale(panel::kDesignSize);
  const int dx = panel.cx - view.right;
  const int dy = panel.cy - view.bottom;
  if (dx == 0 && dy == 0) return;
  SetWindowPos(m_hWnd, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RecalcLayout();
}

LRESULT CMainFrame::OnGetMinMaxInfo(WPARAM, LPARAM lParam) {
  // The user cannot resize the window; its one size is the panel's, which on a screen too small
  // for it must not be cut to the screen (the system's default limit).
  auto& info = *reinterpret_cast<MINMAXINFO*>(lParam);
  info.ptMaxTrackSize = {0x7FFF, 0x7FFF};
  return 0;
}

void CMainFrame::UseCaptionIcon(Scale scale) {
  const int size = platform::SystemMetricForDpi(SM_CXSMICON, scale.dpi);
  UniqueIcon icon(
      static_cast<HICON>(LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                    IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  if (!icon) return;
  SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get()));
  m_hSmallIcon = std::move(icon);  // the old one goes once the caption has the new one
}
