#include "framework/wnd.h"

namespace {

// The window property that points from a window to its CWnd.
constexpr wchar_t kObjectProperty[] = L"Ralimet.CWnd";

CWnd* g_pMainWnd = nullptr;

}  // namespace

const MessageMap CCmdTarget::kMessageMap{nullptr, {}};

bool CCmdTarget::OnCmdMsg(UINT id, UINT code) {
  for (const MessageMap* map = &GetMessageMap(); map; map = map->base) {
    for (const CommandRoute& route : map->routes) {
      if (route.code != code || id < route.firstId || id > route.lastId) continue;
      if (route.handler) {
        (this->*route.handler)();
      } else {
        (this->*route.rangeHandler)(id);
      }
      return true;
    }
  }
  return false;
}

CWnd::~CWnd() {
  // A window still open when its object goes (a modeless window in a test) is closed with it.
  if (m_hWnd) DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  return hwnd ? static_cast<CWnd*>(GetPropW(hwnd, kObjectProperty)) : nullptr;
}

bool CWnd::UpdateData(bool bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  ++m_nUpdateDataDepth;
  DoDataExchange(&dx);
  --m_nUpdateDataDepth;
  return true;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::SubclassWindow(HWND hwnd) {
  m_hWnd = hwnd;
  SetPropW(hwnd, kObjectProperty, this);
  m_pfnSuper = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc)));
}

void CWnd::Detach() {
  SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  RemovePropW(m_hWnd, kObjectProperty);
  m_hWnd = nullptr;
  m_pfnSuper = nullptr;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = FromHandlePermanent(hwnd);
  if (!pWnd) return DefWindowProcW(hwnd, message, wParam, lParam);

  const CurrentMessage outer = pWnd->m_current;
  pWnd->m_current = {message, wParam, lParam};
  const LRESULT result = pWnd->WindowProc(message, wParam, lParam);
  pWnd->m_current = outer;

  if (message == WM_NCDESTROY) {
    pWnd->Detach();
    pWnd->PostNcDestroy();
  }
  return result;
}

LRESULT CWnd::Default() {
  return CallWindowProcW(m_pfnSuper, m_hWnd, m_current.message, m_current.wParam,
                         m_current.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) return 0;
      break;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam) != 0);
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam),
                                                  reinterpret_cast<HWND>(lParam),
                                                  message - WM_CTLCOLORMSGBOX));
  }
  return Default();
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const auto hwndControl = reinterpret_cast<HWND>(lParam);
  // What the window's own fields say while UpdateData writes them is an echo, not the user.
  if (hwndControl && IsUpdatingData() && IsChild(m_hWnd, hwndControl)) return FALSE;
  return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

void CWnd::OnActivate(UINT, HWND, BOOL) { Default(); }

HBRUSH CWnd::OnCtlColor(HDC, HWND, UINT) { return reinterpret_cast<HBRUSH>(Default()); }

CWnd* AfxGetMainWnd() { return g_pMainWnd; }

void AfxSetMainWnd(CWnd* pWnd) { g_pMainWnd = pWnd; }

HINSTANCE AfxGetResourceHandle() { return GetModuleHandleW(nullptr); }
