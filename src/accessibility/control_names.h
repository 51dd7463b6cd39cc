#pragma once

// Names that standard controls give screen readers, the rest of what readers hear being the
// system's own.
#include <windows.h>

#include <span>
#include <string>

// Gives a standard control the name a screen reader says for it; role, state, value and the
// rest stay the system's own. Called again, it changes the name and tells readers. The control
// answers readers itself until it is destroyed (Windows would also take a dynamic annotation,
// Wine 8 does not).
void SetAccessibleName(HWND control, const std::wstring& name);

// One row of a window's table of names.
struct ControlName {
  int id;
  const wchar_t* name;
};
void SetAccessibleNames(HWND window, std::span<const ControlName> names);
