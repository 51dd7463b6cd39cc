// The platform layer's own calls, where the system they run on changes what they must do.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "test_support.h"

namespace {

std::vector<std::pair<std::wstring, DWORD>> g_loads;  // every loader call: name, flags

HMODULE Load(const wchar_t* name, DWORD flags) {
  g_loads.emplace_back(name, flags);
  return LoadLibraryExW(name, nullptr, flags);
}

// Windows 7 without its loader update (KB2533623) knows none of the LOAD_LIBRARY_SEARCH flags.
HMODULE LoadWithoutSearchFlags(const wchar_t* name, DWORD flags) {
  if (flags & LOAD_LIBRARY_SEARCH_SYSTEM32) {
    g_loads.emplace_back(name, flags);
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return Load(name, flags);
}

// The system folder with its trailing backslash.
std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder, length) + L'\\';
}

bool InSystemFolder(const std::wstring& path) {
  const std::wstring folder = SystemFolder();
  return _wcsnicmp(path.c_str(), folder.c_str(), folder.size()) == 0;
}

TEST(SystemLibraryTest, ComesFromTheSystemFolderEvenWhereTheSearchFlagIsRefused) {
  struct Case {
    const char* name;
    platform::LoadLibraryFn loader;
  };
  const Case cases[] = {{"search flag known", Load},
                        {"search flag refused", LoadWithoutSearchFlags}};
  for (const Case& c : cases) {
    const StandIn<platform::SetLoadLibraryForTesting> loader{c.loader};
    for (const wchar_t* library : {L"winmm.dll", L"comdlg32.dll", L"ole32.dll", L"oleacc.dll"}) {
      const std::string name = std::string(c.name) + ", " + testing::PrintToString(library);
      g_loads.clear();
      const HMODULE module = platform::LoadSystemLibrary(library);
      EXPECT_NE(module, nullptr) << name;
      if (!module) continue;
      wchar_t file[MAX_PATH] = {};
      GetModuleFileNameW(module, file, MAX_PATH);
      EXPECT_TRUE(InSystemFolder(file)) << name << ": " << testing::PrintToString(file);
      for (const auto& [asked, flags] : g_loads) {
        EXPECT_TRUE((flags & LOAD_LIBRARY_SEARCH_SYSTEM32) || InSystemFolder(asked))
            << name << ": loaded as " << testing::PrintToString(asked);
      }
      FreeLibrary(module);
    }
  }
}

}  // namespace
