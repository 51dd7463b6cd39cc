#include "framework/wnd.h"

#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "framework/create_failure.h"

namespace {

// The window property that points from a window to its CWnd.
constexpr wchar_t kObjectProperty[] = L"Ralimet.CWnd";

CWnd* g_pMainWnd = nullptr;
// The object whose CreateEx is running: it takes the window at its first message.
CWnd* g_pWndInit = nullptr;
MSG g_currentMessage{};

}  // namespace

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

const MessageMap CCmdTarget::kMessageMap{nullptr, {}};

const CommandRoute* CCmdTarget::FindRoute(UINT message, UINT code, UINT id) const {
  for (const MessageMap* map = &GetMessageMap(); map; map = map->base) {
    for (const CommandRoute& route : map->routes) {
      if (route.message == message && route.code == code && id >= route.firstId &&
          id <= route.lastId) {
        return &route;
      }
    }
  }
  return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT id, UINT code) {
  const CommandRoute* route = FindRoute(WM_COMMAND, code, id);
  if (!route) return false;
  route->invoke(*this, route->handler, id, 0, 0);
  return true;
}

CWnd::~CWnd() {
  // A window still open when its object goes (a modeless window in a test) is closed with it.
  if (m_hWnd) ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  return hwnd ? static_cast<CWnd*>(GetPropW(hwnd, kObjectProperty)) : nullptr;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName,
                    DWORD style, int x, int y, int width, int height, HWND parent,
                    HMENU menuOrId) {
  CREATESTRUCTW cs{};
  cs.dwExStyle = exStyle;
  cs.lpszClass = className;
  cs.lpszName = windowName;
  cs.style = static_cast<LONG>(style);
  cs.x = x;
  cs.y = y;
  cs.cx = width;
  cs.cy = height;
  cs.hwndParent = parent;
  cs.hMenu = menuOrId;
  cs.hInstance = AfxGetResourceHandle();
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return false;
  }

  CWnd* const outer = g_pWndInit;
  g_pWndInit = this;
  const HWND hwnd = CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName,
                                    static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                    cs.hwndParent, cs.hMenu, cs.hInstance, nullptr);
  // A window refused before its first message was never bound to this object, so it is told
  // here, as at WM_NCDESTROY, that it has no window (an object that deletes itself does so).
  const bool neverBound = g_pWndInit == this;
  g_pWndInit = outer;
  if (!hwnd && neverBound) PostNcDestroy();
  return hwnd != nullptr;
}

bool CWnd::PreCreateWindow(CREATESTRUCTW&) { return true; }

bool CWnd::UpdateData(bool bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  ++m_nUpdateDataDepth;
  DoDataExchange(&dx);
  --m_nUpdateDataDepth;
  return true;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::Attach(HWND hwnd) {
  m_hWnd = hwnd;
  SetPropW(hwnd, kObjectProperty, this);
}

void CWnd::SubclassWindow(HWND hwnd) {
  Attach(hwnd);
  m_pfnSuper = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc)));
}

void CWnd::Detach() {
  if (m_pfnSuper != DefWindowProcW) {
    SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  }
  RemovePropW(m_hWnd, kObjectProperty);
  m_hWnd = nullptr;
  m_pfnSuper = nullptr;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = FromHandlePermanent(hwnd);
  if (!pWnd && g_pWndInit) {
    pWnd = std::exchange(g_pWndInit, nullptr);
    pWnd->Attach(hwnd);
    pWnd->m_pfnSuper = DefWindowProcW;
  }
  if (!pWnd) return DefWindowProcW(hwnd, message, wParam, lParam);

  const CurrentMessage outer = pWnd->m_current;
  const MSG outerMessage = g_currentMessage;
  pWnd->m_current = {message, wParam, lParam};
  g_currentMessage = MSG{hwnd, message, wParam, lParam, 0, {}};
  const LRESULT result = pWnd->WindowProc(message, wParam, lParam);
  pWnd->m_current = outer;
  g_currentMessage = outerMessage;

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
  // Mouse positions are signed: left of or above the window they are negative.
  const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  const auto flags = static_cast<UINT>(wParam);
  if (message != WM_COMMAND && message != WM_NOTIFY) {
    if (const CommandRoute* route = FindRoute(message, 0, 0)) {
      return route->invoke(*this, route->handler, 0, wParam, lParam);
    }
  }
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) return 0;
      break;
    case WM_NOTIFY: {
      // As with commands, the own controls' notifications are held back while UpdateData runs.
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (IsUpdatingData() && header && IsChild(m_hWnd, header->hwndFrom)) break;
      LRESULT result = 0;
      if (OnNotify(wParam, lParam, &result)) return result;
      break;
    }
    case WM_CREATE:
      return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
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
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_SIZE:
      OnSize(flags, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_SETFOCUS:
      OnSetFocus(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_GETOBJECT:
      return OnGetObject(wParam, lParam);
    case WM_LBUTTONDOWN:
      OnLButtonDown(flags, point);
      return 0;
    case WM_LBUTTONUP:
      OnLButtonUp(flags, point);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(flags, point);
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(flags, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_KEYUP:
      OnKeyUp(flags, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_SETCURSOR:
      return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_QUERYNEWPALETTE:
      return OnQueryNewPalette();
    case WM_PALETTECHANGED:
      OnPaletteChanged(reinterpret_cast<HWND>(wParam));
      return 0;
  }
  return Default();
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  const auto hwndControl = reinterpret_cast<HWND>(lParam);
  // What the window's own fields say while UpdateData writes them is an echo, not the user.
  if (hwndControl && IsUpdatingData() && IsChild(m_hWnd, hwndControl)) return FALSE;
  // Menus send 0 and accelerators 1; both are plain commands to the maps.
  return OnCmdMsg(LOWORD(wParam), hwndControl ? HIWORD(wParam) : 0);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header) return FALSE;
  const auto id = static_cast<UINT>(header->idFrom);
  const CommandRoute* route = FindRoute(WM_NOTIFY, header->code, id);
  if (!route) return FALSE;
  *pResult = route->invoke(*this, route->handler, id, wParam, lParam);
  return TRUE;
}

int CWnd::OnCreate(CREATESTRUCTW*) { return static_cast<int>(Default()); }
void CWnd::OnActivate(UINT, HWND, BOOL) { Default(); }
HBRUSH CWnd::OnCtlColor(HDC, HWND, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSetFocus(HWND) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnDestroy() { Default(); }
LRESULT CWnd::OnGetObject(WPARAM, LPARAM) { return Default(); }
void CWnd::OnLButtonDown(UINT, POINT) { Default(); }
void CWnd::OnLButtonUp(UINT, POINT) { Default(); }
void CWnd::OnMouseMove(UINT, POINT) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
BOOL CWnd::OnSetCursor(HWND, UINT, UINT) { return static_cast<BOOL>(Default()); }
BOOL CWnd::OnQueryNewPalette() { return static_cast<BOOL>(Default()); }
void CWnd::OnPaletteChanged(HWND) { Default(); }

void DDX_Text(CDataExchange* pDX, int id, std::wstring& value) {
  const HWND control = pDX->PrepareCtrl(id);
  if (pDX->m_bSaveAndValidate) {
    value.assign(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    value.resize(static_cast<std::size_t>(
        GetWindowTextW(control, value.data(), static_cast<int>(value.size()))));
  } else {
    SetWindowTextW(control, value.c_str());
  }
}

void DDX_Check(CDataExchange* pDX, int id, BOOL& value) {
  const HWND control = pDX->PrepareCtrl(id);
  if (pDX->m_bSaveAndValidate) {
    value = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
  } else {
    SendMessageW(control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void DDX_Control(CDataExchange* pDX, int id, HWND& control) {
  if (!control) control = pDX->PrepareCtrl(id);
}

CWnd* AfxGetMainWnd() { return g_pMainWnd; }

void AfxSetMainWnd(CWnd* pWnd) { g_pMainWnd = pWnd; }

const MSG* AfxGetCurrentMessage() { return &g_currentMessage; }

HINSTANCE AfxGetResourceHandle() { return GetModuleHandleW(nullptr); }

const wchar_t* AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background,
                                   HICON icon) {
  // One class per distinct look, named after it, registered the first time it is asked for.
  static std::map<std::tuple<UINT, HCURSOR, HBRUSH, HICON>, std::wstring> names;
  const auto key = std::make_tuple(classStyle, cursor, background, icon);
  if (auto found = names.find(key); found != names.end()) return found->second.c_str();

  std::wstring name = L"Ralimet:" + std::to_wstring(names.size());
  WNDCLASSW windowClass{};
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = CWnd::StaticWndProc;
  windowClass.hInstance = AfxGetResourceHandle();
  windowClass.hCursor = cursor;
  windowClass.hbrBackground = background;
  windowClass.hIcon = icon;
  windowClass.lpszClassName = name.c_str();
  if (!RegisterClassW(&windowClass)) {
    AfxNoteCreateFailure(CreateStep::kWindowClass);
    return nullptr;
  }
  return names.emplace(key, std::move(name)).first->second.c_str();
}
