#pragma once

// What an object that answers screen readers itself needs (Microsoft Active Accessibility): the
// COM plumbing of an accessible object, helpers for one that draws its own children, and the owner
// that hands it to readers. COM and oleacc are loaded from the system folder at a reader's
// first question, so that a start without a screen reader loads nothing of them.
#include <windows.h>
// After windows.h: the accessibility interfaces.
#include <oleacc.h>

#include "framework/handles.h"

namespace accessible {

// The calls of ole32, oleaut32 and oleacc that the objects make.
struct ComLibrary {
  decltype(&::CoInitializeEx) coInitializeEx;
  decltype(&::CoUninitialize) coUninitialize;
  decltype(&::CoDisconnectObject) coDisconnectObject;
  decltype(&::SysAllocString) sysAllocString;
  decltype(&::LresultFromObject) lresultFromObject;
  decltype(&::AccessibleObjectFromWindow) accessibleObjectFromWindow;
  decltype(&::CreateStdAccessibleObject) createStdAccessibleObject;
};

// Loads the libraries at the first call; null when any part is missing.
const ComLibrary* Com();

// Out-parameters are cleared (a VARIANT to VT_EMPTY) before anything can fail, so a caller never
// frees garbage. False when one is null.
template <class... T>
bool Clear(T*... out) {
  ((out ? void(*out = T{}) : void()), ...);
  return (out && ...);
}

// A child id (or role, or state) as a VARIANT answer.
inline void SetLong(VARIANT* out, long value) {
  out->vt = VT_I4;
  out->lVal = value;
}

// A new BSTR holding text, for an answer.
HRESULT CopyText(const wchar_t* text, BSTR* out);

// The object itself, as ResolveChild answers it.
inline constexpr int kSelf = -1;

// Checks a child id of an object with count simple children, ids 1 to count. On S_OK, index is
// the child's (0 to count - 1) or kSelf.
HRESULT ResolveChild(const VARIANT& child, int count, int& index);

// The answer for a property the object does not have, after its child id has been checked.
template <class... Out>
HRESULT NotAProperty(HRESULT resolved, Out*... out) {
  if (!Clear(out...)) return E_INVALIDARG;
  return FAILED(resolved) ? resolved : DISP_E_MEMBERNOTFOUND;
}

}  // namespace accessible

// The IUnknown and IDispatch parts of an accessible object: counted references and no type
// information (readers call IAccessible directly). A window's object is made with one reference,
// which its CAccessibleServer takes.
class CAccessibleObject : public IAccessible {
 public:
  CAccessibleObject(const CAccessibleObject&) = delete;
  CAccessibleObject& operator=(const CAccessibleObject&) = delete;

  // Lets go of the window: from then on every call answers RPC_E_DISCONNECTED, as it does across
  // processes once the object is disconnected.
  virtual void Disconnect() = 0;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;

  // Names and values are the program's own: readers may not change them.
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 protected:
  CAccessibleObject() = default;
  virtual ~CAccessibleObject() = default;

 private:
  LONG m_nRefs = 1;
};

// What a window keeps for screen readers: its one accessible object for its whole life, handed to
// every reader that asks. COM is begun on the window's thread at the first question; the window
// lets this go at WM_DESTROY.
class CAccessibleServer {
 public:
  // Takes the object's one reference.
  explicit CAccessibleServer(CAccessibleObject* object) : m_object(object) {}
  // Disconnects the object, so that a reader still holding it gets an error, and releases it.
  ~CAccessibleServer();
  CAccessibleServer(const CAccessibleServer&) = delete;
  CAccessibleServer& operator=(const CAccessibleServer&) = delete;

  // The answer to WM_GETOBJECT for the object; 0 (the system answers) without COM.
  LRESULT Serve(WPARAM wParam);

 private:
  ComPtr<CAccessibleObject> m_object;
  bool m_bServed = false;
  bool m_bOwnsApartment = false;  // this server began COM on the thread and ends it
};
