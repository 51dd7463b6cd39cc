// Where the program keeps its settings, from the program's own names.
#pragma once

#include <string>

#include "app/ralimet_app.h"

// The registry key (under HKEY_CURRENT_USER) of one section of the program's settings.
inline std::wstring SettingsKey(const wchar_t* section) {
  return std::wstring(L"Software\\") + CRalimetApp::kRegistryKey + L"\\" +
         CRalimetApp::kProfileName + L"\\" + section;
}
