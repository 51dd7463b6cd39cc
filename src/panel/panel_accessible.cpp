#include "panel/panel_accessible.h"

#include <climits>
#include <iterator>

#include "panel/ralimet_view.h"

namespace {

using accessible::Clear;
using accessible::CopyText;
using accessible::NotAProperty;
using accessible::SetLong;

constexpr wchar_t kPressAction[] = L"اضغط";

long ChildId(int button) { return button + 1; }

bool Overlap(LONG aFrom, LONG aTo, LONG bFrom, LONG bTo) { return aFrom < bTo && bFrom < aTo; }

}  // namespace

HRESULT CPanelAccessible::Resolve(const VARIANT& child, int& target) const {
  if (!m_pView) return RPC_E_DISCONNECTED;
  return accessible::ResolveChild(child, CRalimetView::kButtonCount, target);
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
  const accessible::ComLibrary* com = accessible::Com();
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
  SetLong(pvarRole, target == kSelf ? ROLE_SYSTEM_CLIENT : ROLE_SYSTEM_PUSHBUTTON);
  return S_OK;
}

HRESULT CPanelAccessible::get_accState(VARIANT varChild, VARIANT* pvarState) {
  int target = kNone;
  if (!Clear(pvarState)) return E_INVALIDARG;
  if (const HRESULT hr = Resolve(varChild, target); FAILED(hr)) return hr;
  SetLong(pvarState, StateOf(target));
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
  SetLong(pvarChild, hot >= 0 ? ChildId(hot) : CHILDID_SELF);
  return S_OK;
}

HRESULT CPanelAccessible::get_accSelection(VARIANT* pvarChildren) {
  if (!Clear(pvarChildren)) return E_INVALIDARG;
  if (!m_pView) return RPC_E_DISCONNECTED;
  const int hot = m_pView->GetHot();
  if (!m_pView->HasFocus() || hot < 0) return S_FALSE;
  SetLong(pvarChildren, ChildId(hot));
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
  SetLong(pvarEndUpAt, ChildId(end));
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
  SetLong(pvarChild, n >= 0 ? ChildId(n) : CHILDID_SELF);
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
