// Keeps the desktop of a test session's Wine prefix up between test programs.
//
// Wine closes a desktop one second after its last program has ended (its explorer is told to
// quit), and the next program to make a window starts a new explorer and waits for it. A test
// program starting at the moment the old desktop goes cannot make its main window (a start-up
// that failed once in a whole test run). Run by cmake/wine-prefix while tests run, this program
// stays on the desktop, so every test program finds the same desktop up and ready.
//
// Usage: desktop_keeper STAMP READY. It makes the file READY once the desktop is up, and ends by
// itself once the file STAMP (touched by cmake/wine-prefix at every test's start) has not been
// touched for ten minutes, so an idle prefix's Wine session still ends as it did without it.
#include <windows.h>
// After windows.h: CommandLineToArgvW.
#include <shellapi.h>

#include <string>

namespace {

constexpr ULONGLONG kIdle = 10ULL * 60 * 10'000'000;  // ten minutes, in file time

bool StampedWithin(const std::wstring& stamp, ULONGLONG span) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(stamp.c_str(), GetFileExInfoStandard, &data)) return false;
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  const auto ticks = [](FILETIME t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return ticks(now) < ticks(data.ftLastWriteTime) + span;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args || count < 3) return 2;
  const std::wstring stamp = args[1];
  const std::wstring ready = args[2];
  LocalFree(args);
  GetDesktopWindow();  // the desktop comes up now, before the first test needs it
  CloseHandle(CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  do {
    Sleep(10'000);
  } while (StampedWithin(stamp, kIdle));
  return 0;
}
