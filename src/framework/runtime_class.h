#pragma once

#include "framework/object.h"

#define RUNTIME_CLASS(class_name) (&class_name::classInfo)

// A class known by name: DECLARE_DYNAMIC(CMyWnd) in the class, IMPLEMENT_DYNAMIC(CMyWnd, CWnd)
// in its source file. The DYNCREATE pair also lets the class be created by name.
#define DECLARE_DYNAMIC(class_name) \
 public:                            \
  static const CRuntimeClass classInfo; \
  const CRuntimeClass* GetRuntimeClass() const override { return &classInfo; }

#define DECLARE_DYNCREATE(class_name)                          \
  DECLARE_DYNAMIC(class_name)                                  \
  static CObject* CreateObject() { return new class_name; }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  const CRuntimeClass class_name::classInfo{#class_name, nullptr, RUNTIME_CLASS(base_class_name)};

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                     \
  const CRuntimeClass class_name::classInfo{#class_name, &class_name::CreateObject, \
                                            RUNTIME_CLASS(base_class_name)};
