#pragma once

class CObject;

// A class known by name at run time: its base, and a way to create one when the class allows it
// (the document template makes the document, frame and view it knows only by class).
struct CRuntimeClass {
  const char* m_lpszClassName;
  CObject* (*m_pfnCreateObject)();
  const CRuntimeClass* m_pBaseClass;

  // A new object of the class, owned by the caller; null when the class cannot be created.
  CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

// Root of the class hierarchy; owners delete any object through it.
class CObject {
 public:
  static constexpr CRuntimeClass classInfo{"CObject", nullptr, nullptr};

  virtual ~CObject() = default;
  virtual const CRuntimeClass* GetRuntimeClass() const { return &classInfo; }
};
