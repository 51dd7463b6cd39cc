#include "accessibility/control_names.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>
#include <utility>

#include "accessibility/accessible.h"

using accessible::Clear;
using accessible::Com;

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// An out-parameter of a call handed on.
template <class T>
struct Out {
  T* p;
};
template <class T>
T Pass(T arg) {
  return arg;
}
template <class T>
T* Pass(Out<T> out) {
  return out.p;
}
template <class T>
void ClearOut(const T&) {}
template <class T>
void ClearOut(Out<T> out) {
  Clear(out.p);
}

// A standard control's own object (the one the system would give) under the program's name:
// every call but get_accName of the control itself goes to the standard object.
class CNamedAccessible final : public CAccessibleObject {
 public:
  CNamedAccessible(HWND control, ComPtr<IAccessible> standard, const std::wstring& name)
      : m_hControl(control), m_standard(std::move(standard)), m_pName(&name) {}

  void Disconnect() override {
    m_standard.reset();
    m_pName = nullptr;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT varChild, BSTR* pszName) override {
    if (!Clear(pszName)) return E_INVALIDARG;
    if (!m_pName) return RPC_E_DISCONNECTED;
    if (IsSelf(varChild)) return accessible::CopyText(m_pName->c_str(), pszName);
    return m_standard.get()->get_accName(varChild, pszName);
  }

  // Wine's standard object for a combo box is a plain client object, named by the text it shows
  // and with no value: once it has a name of its own, that text (a list's size) becomes its value,
  // as Windows' object gives it.
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT varChild, BSTR* pszValue) override {
    const HRESULT hr = Forward(&IAccessible::get_accValue, varChild, Out(pszValue));
    if (hr == S_OK || !m_pName || !IsSelf(varChild) || !pszValue) return hr;
    wchar_t text[256] = {};
    if (GetWindowTextW(m_hControl, text, static_cast<int>(std::size(text))) <= 0) return hr;
    *pszValue = nullptr;
    return accessible::CopyText(text, pszValue);
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override {
    return Forward(&IAccessible::GetTypeInfoCount, Out(pctinfo));
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT n, LCID lcid, ITypeInfo** ppTInfo) override {
    return Forward(&IAccessible::GetTypeInfo, n, lcid, Out(ppTInfo));
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override {
    if (!m_standard && ids) std::fill_n(ids, count, DISPID_UNKNOWN);
    return Forward(&IAccessible::GetIDsOfNames, riid, names, count, lcid, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argError) override {
    return Forward(&IAccessible::Invoke, id, riid, lcid, flags, params, Out(result),
                   Out(exception), Out(argError));
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** ppdispParent) override {
    return Forward(&IAccessible::get_accParent, Out(ppdispParent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* pcountChildren) override {
    return Forward(&IAccessible::get_accChildCount, Out(pcountChildren));
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT varChild, IDispatch** ppdispChild) override {
    return Forward(&IAccessible::get_accChild, varChild, Out(ppdispChild));
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT varChild, BSTR* pszDescription) override {
    return Forward(&IAccessible::get_accDescription, varChild, Out(pszDescription));
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT varChild, VARIANT* pvarRole) override {
    return Forward(&IAccessible::get_accRole, varChild, Out(pvarRole));
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT varChild, VARIANT* pvarState) override {
    return Forward(&IAccessible::get_accState, varChild, Out(pvarState));
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT varChild, BSTR* pszHelp) override {
    return Forward(&IAccessible::get_accHelp, varChild, Out(pszHelp));
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild,
                                             long* pidTopic) override {
    return Forward(&IAccessible::get_accHelpTopic, Out(pszHelpFile), varChild, Out(pidTopic));
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT varChild,
                                                    BSTR* pszKeyboardShortcut) override {
    return Forward(&IAccessible::get_accKeyboardShortcut, varChild, Out(pszKeyboardShortcut));
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* pvarChild) override {
    return Forward(&IAccessible::get_accFocus, Out(pvarChild));
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* pvarChildren) override {
    return Forward(&IAccessible::get_accSelection, Out(pvarChildren));
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT varChild,
                                                 BSTR* pszDefaultAction) override {
    return Forward(&IAccessible::get_accDefaultAction, varChild, Out(pszDefaultAction));
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flagsSelect, VARIANT varChild) override {
    return Forward(&IAccessible::accSelect, flagsSelect, varChild);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* pxLeft, long* pyTop, long* pcxWidth,
                                        long* pcyHeight, VARIANT varChild) override {
    return Forward(&IAccessible::accLocation, Out(pxLeft), Out(pyTop), Out(pcxWidth),
                   Out(pcyHeight), varChild);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long navDir, VARIANT varStart,
                                        VARIANT* pvarEndUpAt) override {
    return Forward(&IAccessible::accNavigate, navDir, varStart, Out(pvarEndUpAt));
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override {
    return Forward(&IAccessible::accHitTest, xLeft, yTop, Out(pvarChild));
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT varChild) override {
    return Forward(&IAccessible::accDoDefaultAction, varChild);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT varChild, BSTR szName) override {
    return Forward(&IAccessible::put_accName, varChild, szName);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT varChild, BSTR szValue) override {
    return Forward(&IAccessible::put_accValue, varChild, szValue);
  }

 private:
  // Hands a call on to the standard object; once there is none, the out-parameters (marked
  // Out) are still set, as every answer of the object sets them.
  template <class Method, class... Args>
  HRESULT Forward(Method method, Args... args) {
    if (!m_standard) {
      (ClearOut(args), ...);
      return RPC_E_DISCONNECTED;
    }
    return (m_standard.get()->*method)(Pass(args)...);
  }

  HWND m_hControl;
  ComPtr<IAccessible> m_standard;
  const std::wstring* m_pName;  // the control's, while it lives
};

// What a named control keeps, from SetAccessibleName to its WM_NCDESTROY.
struct NamedControl {
  std::wstring name;
  std::unique_ptr<CAccessibleServer> server;  // made at a reader's first question
  bool gone = false;                          // from WM_DESTROY on: no new server

  LRESULT Serve(HWND control, WPARAM wParam) {
    if (gone) return 0;
    if (!server) {
      const accessible::ComLibrary* com = Com();
      IAccessible* standard = nullptr;
      if (!com || FAILED(com->createStdAccessibleObject(
                      control, OBJID_CLIENT, __uuidof(IAccessible),
                      reinterpret_cast<void**>(&standard))) ||
          !standard) {
        return 0;
      }
      server = std::make_unique<CAccessibleServer>(
          new CNamedAccessible(control, ComPtr<IAccessible>(standard), name));
    }
    return server->Serve(wParam);
  }
};

constexpr UINT_PTR kNamedControlSubclass = 1;
// The control's NamedControl, for a later SetAccessibleName.
constexpr wchar_t kNamedControlProperty[] = L"Ralimet.AccessibleName";

LRESULT CALLBACK NamedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR data) {
  auto* named = reinterpret_cast<NamedControl*>(data);
  switch (message) {
    case WM_GETOBJECT:
      // The object id is a 32-bit value, whatever the width of lParam.
      if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (const LRESULT answer = named->Serve(control, wParam)) return answer;
      }
      break;
    case WM_DESTROY:
      named->server.reset();
      named->gone = true;
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(control, NamedControlProc, id);
      RemovePropW(control, kNamedControlProperty);
      delete named;
      break;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void SetAccessibleName(HWND control, const std::wstring& name) {
  if (!control) return;
  if (auto* named = static_cast<NamedControl*>(GetPropW(control, kNamedControlProperty))) {
    if (named->name == name) return;
    named->name = name;
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
    return;
  }
  auto named = std::make_unique<NamedControl>();
  named->name = name;
  if (!SetPropW(control, kNamedControlProperty, named.get())) return;
  if (!SetWindowSubclass(control, NamedControlProc, kNamedControlSubclass,
                         reinterpret_cast<DWORD_PTR>(named.get()))) {
    RemovePropW(control, kNamedControlProperty);
    return;
  }
  static_cast<void>(named.release());
}

void SetAccessibleNames(HWND window, std::span<const ControlName> names) {
  for (const ControlName& row : names) SetAccessibleName(GetDlgItem(window, row.id), row.name);
}
