#include "framework/accessible.h"

#include <commctrl.h>

#include <iterator>
#include <memory>
#include <optional>
#include <utility>

#include "framework/platform.h"

namespace accessible {
namespace {

template <class Function>
bool Bind(Function& function, HMODULE module, const char* name) {
  function = module ? reinterpret_cast<Function>(
                          reinterpret_cast<void*>(GetProcAddress(module, name)))
                    : nullptr;
  return function != nullptr;
}

}  // namespace

// From the system folder only: an oleacc.dll planted beside the program is never loaded.
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
        Bind(com.accessibleObjectFromWindow, oleacc, "AccessibleObjectFromWindow") &&
        Bind(com.createStdAccessibleObject, oleacc, "CreateStdAccessibleObject");
    return complete ? std::optional(com) : std::nullopt;
  }();
  return library ? &*library : nullptr;
}

HRESULT CopyText(const wchar_t* text, BSTR* out) {
  *out = Com() ? Com()->sysAllocString(text) : nullptr;
  return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT ResolveChild(const VARIANT& child, int count, int& index) {
  if (child.vt != VT_I4) return E_INVALIDARG;
  if (child.lVal == CHILDID_SELF) {
    index = kSelf;
    return S_OK;
  }
  if (child.lVal < 1 || child.lVal > count) return E_INVALIDARG;
  index = static_cast<int>(child.lVal - 1);
  return S_OK;
}

}  // namespace accessible

using accessible::Clear;
using accessible::Com;

HRESULT CAccessibleObject::QueryInterface(REFIID riid, void** ppv) {
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

ULONG CAccessibleObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_nRefs)); }

ULONG CAccessibleObject::Release() {
  const LONG refs = InterlockedDecrement(&m_nRefs);
  if (refs == 0) delete this;
  return static_cast<ULONG>(refs);
}

HRESULT CAccessibleObject::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_INVALIDARG;
  *pctinfo = 0;
  return S_OK;
}

HRESULT CAccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) {
  if (ppTInfo) *ppTInfo = nullptr;
  return E_NOTIMPL;
}

HRESULT CAccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT CAccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                  UINT*) {
  return E_NOTIMPL;
}

CAccessibleServer::~CAccessibleServer() {
  m_object.get()->Disconnect();
  if (m_bServed) Com()->coDisconnectObject(m_object.get(), 0);
  m_object.reset();
  if (m_bOwnsApartment) Com()->coUninitialize();
}

LRESULT CAccessibleServer::Serve(WPARAM wParam) {
  const accessible::ComLibrary* com = Com();
  if (!com) return 0;
  if (!m_bServed) {
    // A single-threaded apartment: the object is called on this thread, between its messages.
    m_bOwnsApartment = SUCCEEDED(com->coInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    m_bServed = true;
  }
  return com->lresultFromObject(__uuidof(IAccessible), wParam, m_object.get());
}

namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

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
    const HRESULT hr = Forward(&IAccessible::get_accValue, varChild, pszValue);
    if (hr == S_OK || !m_pName || !IsSelf(varChild) || !pszValue) return hr;
    wchar_t text[256] = {};
    if (GetWindowTextW(m_hControl, text, static_cast<int>(std::size(text))) <= 0) return hr;
    *pszValue = nullptr;
    return accessible::CopyText(text, pszValue);
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override {
    return Forward(&IAccessible::GetTypeInfoCount, pctinfo);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT n, LCID lcid, ITypeInfo** ppTInfo) override {
    return Forward(&IAccessible::GetTypeInfo, n, lcid, ppTInfo);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                          DISPID* ids) override {
    return Forward(&IAccessible::GetIDsOfNames, riid, names, count, lcid, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argError) override {
    return Forward(&IAccessible::Invoke, id, riid, lcid, flags, params, result, exception,
                   argError);
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** ppdispParent) override {
    return Forward(&IAccessible::get_accParent, ppdispParent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* pcountChildren) override {
    return Forward(&IAccessible::get_accChildCount, pcountChildren);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT varChild, IDispatch** ppdispChild) override {
    return Forward(&IAccessible::get_accChild, varChild, ppdispChild);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT varChild, BSTR* pszDescription) override {
    return Forward(&IAccessible::get_accDescription, varChild, pszDescription);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT varChild, VARIANT* pvarRole) override {
    return Forward(&IAccessible::get_accRole, varChild, pvarRole);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT varChild, VARIANT* pvarState) override {
    return Forward(&IAccessible::get_accState, varChild, pvarState);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT varChild, BSTR* pszHelp) override {
    return Forward(&IAccessible::get_accHelp, varChild, pszHelp);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild,
                                             long* pidTopic) override {
    return Forward(&IAccessible::get_accHelpTopic, pszHelpFile, varChild, pidTopic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT varChild,
                                                    BSTR* pszKeyboardShortcut) override {
    return Forward(&IAccessible::get_accKeyboardShortcut, varChild, pszKeyboardShortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* pvarChild) override {
    return Forward(&IAccessible::get_accFocus, pvarChild);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* pvarChildren) override {
    return Forward(&IAccessible::get_accSelection, pvarChildren);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT varChild,
                                                 BSTR* pszDefaultAction) override {
    return Forward(&IAccessible::get_accDefaultAction, varChild, pszDefaultAction);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flagsSelect, VARIANT varChild) override {
    return Forward(&IAccessible::accSelect, flagsSelect, varChild);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* pxLeft, long* pyTop, long* pcxWidth,
                                        long* pcyHeight, VARIANT varChild) override {
    return Forward(&IAccessible::accLocation, pxLeft, pyTop, pcxWidth, pcyHeight, varChild);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long navDir, VARIANT varStart,
                                        VARIANT* pvarEndUpAt) override {
    return Forward(&IAccessible::accNavigate, navDir, varStart, pvarEndUpAt);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override {
    return Forward(&IAccessible::accHitTest, xLeft, yTop, pvarChild);
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
  template <class Method, class... Args>
  HRESULT Forward(Method method, Args... args) {
    if (!m_standard) return RPC_E_DISCONNECTED;
    return (m_standard.get()->*method)(args...);
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
