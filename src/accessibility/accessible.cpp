#include "accessibility/accessible.h"

#include <iterator>
#include <memory>
#include <optional>
#include <utility>

#include "platform/platform.h"

namespace accessible {
namespace {

template <class Function>
bool Bind(Function& function, HMODULE module, const char* name) {
  function = platform::ProcAddress<Function>(module, name);
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
