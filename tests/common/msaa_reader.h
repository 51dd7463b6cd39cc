#pragma once

// What a screen reader does with Active Accessibility, for the tests that read the launcher as
// one: in the program's own process (tests/ui) or from another (tests/e2e).
#include <windows.h>
// After windows.h: the accessibility interfaces.
#include <oleacc.h>

#include <memory>
#include <string>

namespace msaa {

struct Release {
  void operator()(IUnknown* object) const { object->Release(); }
};
using Object = std::unique_ptr<IAccessible, Release>;

// The reader's own single-threaded apartment, for as long as this lives.
class Apartment {
 public:
  Apartment() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~Apartment() {
    if (SUCCEEDED(m_hr)) CoUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;

 private:
  HRESULT m_hr;
};

// A window's client object, asked for as readers ask; null when there is none.
inline Object ClientObject(HWND hwnd) {
  IAccessible* object = nullptr;
  AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                             reinterpret_cast<void**>(&object));
  return Object(object);
}

inline VARIANT Child(long id) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

// The child id (or number) a VARIANT answer holds, -1 when it is empty.
inline long IdOf(const VARIANT& v) { return v.vt == VT_I4 ? v.lVal : -1; }

// A text property of child id: get_accName, get_accDefaultAction ...
using TextProperty = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
inline std::wstring Text(IAccessible* object, TextProperty get, long id) {
  BSTR text = nullptr;
  (object->*get)(Child(id), &text);
  std::wstring copy = text ? text : L"<null>";
  SysFreeString(text);
  return copy;
}

}  // namespace msaa
