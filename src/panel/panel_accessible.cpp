#include "panel/panel_accessible.h"

#include <climits>
#include <iterator>
#include <optional>

#include "framework/platform.h"
#include "panel/ralimet_view.h"

namespace {

// COM and Active Accessibility, from the system folder at a reader's first question: the launcher
// starts without loading them, and an oleacc.dll planted beside the program is never loaded.
struct ComLibrary {
  decltype(&::CoInitializeEx) coInitializeEx;
  decltype(&::CoUninitialize) coUninitialize;
  decltype(&::CoDisconnectObject) coDisconnectObject;
  decltype(&::SysAllocString) sysAllocString;
  decltype(&::LresultFromObject) lresultFromObject;
  decltype(&::AccessibleObjectFromWindow) accessibleObjectFromWindow;
};

template <class Function>
bool Bind(Function& function, HMODULE module, const char* name) {
  function = module ? reinterpret_cast<Function>(
                          reinterpret_cast<void*>(GetProcAddress(module, name)))
                    : nullptr;
  return function != nullptr;
}

// Null when any part is missing.
const ComLibrary* Com() {
  static const std::optional<ComLibrary> library = []() -> std::optional<ComLibrary> {
    const HMODULE ole32 = platform::LoadSystemLibrary(L"ole32.dll");
    const HMODULE oleaut32 = platform::LoadSystemLibrary(L"oleaut32.dll");
    const HMODULE oleacc = platform::LoadSystemLibrary(L"oleacc.dll");
    ComLibrary com{};
    const bool complete =
        Bind(com.coInitializeEx, ole32, "CoInitializeEx") &&
        Bind(com.coUninitialize, ole32, "CoUninitialize") &&
        Bind(com.coDisconnectObject, ole32, "CoDisconnectObject") &&
        Bind(com.sysAllocString, oleaut32, "SysAllocString") &&
        Bind(com.lresultFromObject, oleacc, "LresultFromObject") &&
        Bind(com.accessibleObjectFromWindow, oleacc, "AccessibleObjectFromWindow");
    return complete ? std::optional(com) : std::nullopt;
  }();
  return library ? &*library : nullptr;
}

constexpr wchar_t kPressAction[] = L"اضغط";

// Out-parameters are cleared (a VARIANT to VT_EMPTY) before anything can fail, so a caller never
// frees garbage. False when one is null.
template <class... T>
bool Clear(T*... out) {
  ((out ? void(*out = T{}) : void()), ...);
  return (out && ...);
}

void SetChild(VARIANT* out, long childId) {
  out->vt = VT_I4;
  out->lVal = childId;
}

long ChildId(int button) { return button + 1; }

HRESULT CopyText(const wchar_t* text, BSTR* out) {
  *out = Com() ? Com()->sysAllocString(text) : nullptr;
  return *out ? S_OK : E_OUTOFMEMORY;
}

bool Overlap(LONG aFrom, LONG aTo, LONG bFrom, LONG bTo) { return aFrom < bTo && bFrom < aTo; }

// The answer for a property the panel does not have (value, description, help, shortcut), after
// the child id has been checked.
template <class... Out>
HRESULT NotAProperty(HRESULT resolved, Out*... out) {
  if (!Clear(out...)) return E_INVALIDARG;
  return FAILED(resolved) ? resolved : DISP_E_MEMBERNOTFOUND;
}

}  // namespace

HRESULT CPanelAccessible::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
      riid == __uuidof(IAccessible)) {
    *ppv = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG CPanelAccessible::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_nRefs)); }

ULONG CPanelAccessible::Release() {
  const LONG refs = InterlockedDecrement(&m_nRefs);
  if (refs == 0) delete this;
  return static_cast<ULONG>(refs);
}

HRESULT CPanelAccessible::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_INVALIDARG;
  *pctinfo = 0;
  return S_OK;
}

HRESULT CPanelAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (ppTInfo) *ppTInfo = nullptr;
  return E_NOTIMPL;
}

HRESULT CPanelAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT CPanelAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                 UINT*) {
  return E_NOTIMPL;
}

HRESULT CPanelAccessible::Resolve(const VARIANT& child, int& target) const {
  if (!m_pView) return RPC_E_DISCONNECTED;
  if (child.vt != VT_I4) return E_INVALIDARG;
  if (child.lVal == CHILDID_SELF) {
    target = kSelf;
    return S_OK;
  }
  if (child.lVal < 1 || child.lVal > CRalimetView::kButtonCount) return E_INVALIDARG;
  target = child.lVal - 1;
  return S_OK;
}

RECT CPanelAccessible::ScreenRect(int target) const {
  RECT rect{};
  if (target == kSelf) {
    GetClientRect(m_pView->m_hWnd, &rect);
  } else {
    rect = m_pView->GetButton(target).GetRect();
  }
  // As a rectangle (two points) the mapping keeps left left of right in a mirrored window.
  MapWindowPoints(m_pView->m_hWnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int CPanelAccessible::Neighbour(int n, long navDir) const {
  const RECT from = ScreenRect(n);
  int nearest = kNone;
  LONG nearestGap = LONG_MAX;
  for (int other = 0; other < CRalimetView::kButtonCount; ++other) {
    if (other == n) continue;
    const RECT to = ScreenRect(other);
    const bool acrossX = Overlap(from.left, from.right, to.left, to.right);
    const bool acrossY = Overlap(from.top, from.bottom, to.top, to.bottom);
    LONG gap = -1;
    if (navDir == NAVDIR_UP && acrossX) gap = from.top - to.bottom;
    if (navDir == NAVDIR_DOWN && acrossX) gap = to.top - from.bottom;
    if (navDir == NAVDIR_LEFT && acrossY) gap = from.left - to.right;
    if (navDir == NAVDIR_RIGHT && acrossY) gap = to.left - from.right;
    if (gap >= 0 && gap < nearestGap) {
      nearest = other;
      nearestGap = gap;
    }
  }
  return nearest;
}

long CPanelAccessible::StateOf(int target) const {
  const HWND view = m_pView->m_hWnd;
  const bool focused = m_pView->HasFocus();
  const int hot = m_pView->GetHot();
  long state = STATE_SYSTEM_FOCUSABLE;
  if (!m_pView->TakesClicks()) state |= STATE_SYSTEM_UNAVAILABLE;
  if (target == kSelf) {
    if (!IsWindowVisible(view)) state |= STATE_SYSTEM_INVISIBLE;
    if (focused && hot < 0) state |= STATE_SYSTEM_FOCUSED;
    return state;
  }
  state |= STATE_SYSTEM_SELECTABLE;
  if (focused && target == hot) state |= STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;
  switch (m_pView->GetButton(target).GetState()) {
    case CPanelButton::kHighlighted:
      state |= STATE_SYSTEM_HOTTRACKED;
      break;
    case CPanelButton::kPressed:
      state |= STATE_SYSTEM_PRESSED;
      break;
  }
  return state;
}

HRESULT CPanelAccessible::get_accParent(IDispatch** ppdispParent) {
  if (!Clear(ppdispParent)) return E_INVALIDARG;
  if (!m_pView) return RPC_E_DISCONNECTED;
  // The view's window object, which the system provides.
  const ComLibrary* com = Com();
  if (!com) return E_FAIL;
  return com->accessibleObjectFromWindow(m_pView->m_hWnd, static_cast<DWORD>(OBJID_WINDOW),
                                         __uuidof(IDispatch),
                                         reinterpret_cast<void**>(ppdispParent));
}

HRESULT CPanelAccessible::get_accChildCount(long* pcountChildren) {
  if (!Clear(pcountChildren)) return E_INVALIDARG;
  if (!m_pView) return RPC_E_DISCONNECTED;
  *pcountChildren = CRalimetView::kButtonCount;
  return S_OK;
}

HRESULT CPanelAccessible::get_accChild(VARIANT varChild, IDispatch** ppdispChild) {
  int target = kNone;
  if (!Clear(ppdispChild)) return E_INVALIDARG;
  if (const HRESULT hr = Resolve(varChild, target); FAILED(hr)) return hr;
  // The buttons are simple elements of this object, not objects of their own.
  return target == kSelf ? E_INVALIDARG : S_FALSE;
}

HRESULT CPanelAccessible::get_accName(VARIANT varChild, BSTR* pszName) {
  int target = kNone;
  if (!Clear(pszName)) return E_INVALIDARG;
  if (const HRESULT hr = Resolve(varChild, target); FAILED(hr)) return hr;
  if (target != kSelf) return CopyText(CRalimetView::GetCaption(target), pszName);
  // The panel is named as its main window is captioned.
  wchar_t caption[64] = {};
  GetWindowTextW(GetAncestor(m_pView->m_hWnd, GA_ROOT), caption,
                 static_cast<int>(std::size(caption)));
  return CopyText(caption, pszName);
}

HRESULT CPanelAccessible::get_accRole(VARIANT varChild, VARIANT* pvarRole) {
  int target = kNone;
  if (!Clear(pvarRole)) return E_INVALIDARG;
  if (const HRESULT hr = Resolve(varChild, target); FAILED(hr)) return hr;
  SetChild(pvarRole, target == kSelf ? ROLE_SYSTEM_CLIENT : ROLE_SYSTEM_PUSHBUTTON);
  return S_OK;
}

HRESULT CPanelAccessible::get_accState(VARIANT varChild, VARIANT* pvarState) {
  int target = kNone;
  if (!Clear(pvarState)) return E_INVALIDARG;
  if (const HRESULT hr = Resolve(varChild, target); FAILED(hr)) return hr;
  SetChild(pvarState, StateOf(target));
  return S_OK;
}

HRESULT CPanelAccessible::get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) {
  int target = kNone;
  if (!Clear(pszDefaultAction)) return E_INVALIDARG;
  if (const HRESULT hr = Resolve(varChild, target); FAILED(hr)) return hr;
  return target == kSelf ? DISP_E_MEMBERNOTFOUND : CopyText(kPressAction, pszDefaultAction);
}

HRESULT CPanelAccessible::get_accValue(VARIANT varChild, BSTR* pszValue) {
  return NotAProperty(Resolve(varChild), pszValue);
}

HRESULT CPanelAccessible::get_accDescription(VARIANT varChild, BSTR* pszDescription) {
  return NotAProperty(Resolve(varChild), pszDescription);
}

HRESULT CPanelAccessible::get_accHelp(VARIANT varChild, BSTR* pszHelp) {
  return NotAProperty(Resolve(varChild), pszHelp);
}

HRESULT CPanelAccessible::get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) {
  return NotAProperty(Resolve(varChild), pszHelpFile, pidTopic);
}

HRESULT CPanelAccessible::get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) {
  return NotAProperty(Resolve(varChild), pszKeyboardShortcut);
}

HRESULT CPanelAccessible::get_accFocus(VARIANT* pvarChild) {
  if (!Clear(pvarChild)) return E_INVALIDARG;
  if (!m_pView) return RPC_E_DISCONNECTED;
  if (!m_pView->HasFocus()) return S_FALSE;
  const int hot = m_pView->GetHot();
  SetChild(pvarChild, hot >= 0 ? ChildId(hot) : CHILDID_SELF);
  return S_OK;
}

HRESULT CPanelAccessible::get_accSelection(VARIANT* pvarChildren) {
  if (!Clear(pvarChildren)) return E_INVALIDARG;
  if (!m_pView) return RPC_E_DISCONNECTED;
  const int hot = m_pView->GetHot();
  if (!m_pView->HasFocus() || hot < 0) return S_FALSE;
  SetChild(pvarChildren, ChildId(hot));
  return S_OK;
}

HRESULT CPanelAccessible::accSelect(long flagsSelect, VARIANT varChild) {
  int target = kNone;
  if (const HRESULT hr = Resolve(varChild, target); FAILED(hr)) return hr;
  if (target == kSelf) return DISP_E_MEMBERNOTFOUND;
  // One button at a time is current: there is no selection to add to, extend or take from.
  constexpr long kOneButton = SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION;
  if (flagsSelect & ~kOneButton) return E_INVALIDARG;
  if (flagsSelect) m_pView->MakeCurrent(target);
  return S_OK;
}

HRESULT CPanelAccessible::accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight,
                                      VARIANT varChild) {
  int target = kNone;
  if (!Clear(pxLeft, pyTop, pcxWidth, pcyHeight)) return E_INVALIDARG;
  if (const HRESULT hr = Resolve(varChild, target); FAILED(hr)) return hr;
  const RECT rect = ScreenRect(target);
  *pxLeft = rect.left;
  *pyTop = rect.top;
  *pcxWidth = rect.right - rect.left;
  *pcyHeight = rect.bottom - rect.top;
  return S_OK;
}

HRESULT CPanelAccessible::accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) {
  int start = kNone;
  if (!Clear(pvarEndUpAt)) return E_INVALIDARG;
  if (const HRESULT hr = Resolve(varStart, start); FAILED(hr)) return hr;
  int end = kNone;
  switch (navDir) {
    case NAVDIR_FIRSTCHILD:
    case NAVDIR_LASTCHILD:
      if (start != kSelf) return E_INVALIDARG;
      end = navDir == NAVDIR_FIRSTCHILD ? 0 : CRalimetView::kButtonCount - 1;
      break;
    case NAVDIR_NEXT:
    case NAVDIR_PREVIOUS:
      // In index order, the order of the arrow keys; the panel's own siblings are its parent's.
      if (start != kSelf) end = start + (navDir == NAVDIR_NEXT ? 1 : -1);
      if (end < 0 || end >= CRalimetView::kButtonCount) end = kNone;
      break;
    case NAVDIR_UP:
    case NAVDIR_DOWN:
    case NAVDIR_LEFT:
    case NAVDIR_RIGHT:
      if (start != kSelf) end = Neighbour(start, navDir);
      break;
    default:
      return E_INVALIDARG;
  }
  if (end == kNone) return S_FALSE;
  SetChild(pvarEndUpAt, ChildId(end));
  return S_OK;
}

HRESULT CPanelAccessible::accHitTest(long xLeft, long yTop, VARIANT* pvarChild) {
  if (!Clear(pvarChild)) return E_INVALIDARG;
  if (!m_pView) return RPC_E_DISCONNECTED;
  POINT point{xLeft, yTop};
  RECT client{};
  GetClientRect(m_pView->m_hWnd, &client);
  ScreenToClient(m_pView->m_hWnd, &point);
  if (!PtInRect(&client, point)) return S_FALSE;
  const int n = m_pView->ButtonAt(point);
  SetChild(pvarChild, n >= 0 ? ChildId(n) : CHILDID_SELF);
  return S_OK;
}

HRESULT CPanelAccessible::accDoDefaultAction(VARIANT varChild) {
  int target = kNone;
  if (const HRESULT hr = Resolve(varChild, target); FAILED(hr)) return hr;
  if (target == kSelf) return DISP_E_MEMBERNOTFOUND;
  // Posted: the button's window is modal, and the reader's call must return first.
  m_pView->PostClick(target);
  return S_OK;
}

CAccessibleServer::~CAccessibleServer() {
  m_pObject->Disconnect();
  if (m_bServed) Com()->coDisconnectObject(m_pObject, 0);
  m_pObject->Release();
  if (m_bOwnsApartment) Com()->coUninitialize();
}

LRESULT CAccessibleServer::Serve(WPARAM wParam) {
  const ComLibrary* com = Com();
  if (!com) return 0;
  if (!m_bServed) {
    // A single-threaded apartment: the object is called on this thread, between its messages.
    m_bOwnsApartment = SUCCEEDED(com->coInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    m_bServed = true;
  }
  return com->lresultFromObject(__uuidof(IAccessible), wParam, m_pObject);
}
