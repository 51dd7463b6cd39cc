#include "platform/platform.h"

#include <commdlg.h>
#include <mmsystem.h>

#include <type_traits>
#include <utility>

namespace platform {
namespace {

void SystemBeep() { ::Beep(0, 0); }

HMODULE SystemLoadLibrary(const wchar_t* name, DWORD flags) {
  return LoadLibraryExW(name, nullptr, flags);
}

// The sound library is loaded at the first click, not at start-up: loading it brings up the
// system's audio stack, which the launcher does not need before then.
void PlayWithSystem(const void* sound, UINT flags) {
  using SndPlaySound = BOOL(WINAPI*)(const wchar_t*, UINT);
  static const auto play =
      ProcAddress<SndPlaySound>(LoadSystemLibrary(L"winmm.dll"), "sndPlaySoundW");
  if (play) play(static_cast<const wchar_t*>(sound), flags);
}

void SystemPlaySound(const void* sound) { PlayWithSystem(sound, SND_ASYNC | SND_MEMORY); }

void SystemStopSound() { PlayWithSystem(nullptr, 0); }

bool SystemAskFileName(HWND owner, bool save, std::wstring& path) {
  wchar_t file[MAX_PATH] = {};
  path.copy(file, MAX_PATH - 1);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = L"*.*\0*.*\0";
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  // Like the sound library, the dialogs' library is loaded when first asked for.
  using FileDialog = BOOL(WINAPI*)(OPENFILENAMEW*);
  static const HMODULE comdlg = LoadSystemLibrary(L"comdlg32.dll");
  const auto dialog =
      ProcAddress<FileDialog>(comdlg, save ? "GetSaveFileNameW" : "GetOpenFileNameW");
  const BOOL chosen = dialog && dialog(&ofn);
  if (!chosen) return false;
  path = file;
  return true;
}

SYSTEMTIME SystemLocalTime() {
  SYSTEMTIME time{};
  ::GetLocalTime(&time);
  return time;
}

DWORD SystemTimeZone(TIME_ZONE_INFORMATION& zone) { return ::GetTimeZoneInformation(&zone); }

SYSTEMTIME SystemUtcTime() {
  SYSTEMTIME time{};
  ::GetSystemTime(&time);
  return time;
}

using EnumZonesFn = DWORD(WINAPI*)(DWORD index, DYNAMIC_TIME_ZONE_INFORMATION* zone);

DWORD SystemEnumZone(DWORD index, DYNAMIC_TIME_ZONE_INFORMATION& zone) {
  // Windows 8 brought the call: looked up, not imported, so that the program starts on Windows 7.
  static const auto call = ProcAddress<EnumZonesFn>(GetModuleHandleW(L"advapi32.dll"),
                                                     "EnumDynamicTimeZoneInformation");
  return call ? call(index, &zone) : ERROR_CALL_NOT_IMPLEMENTED;
}

bool SystemMachineBinaryValue(const wchar_t* key, const wchar_t* name, void* data, DWORD& size) {
  return RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_BINARY, nullptr, data, &size) ==
         ERROR_SUCCESS;
}

bool SystemZoneRulesForYear(USHORT year, const DYNAMIC_TIME_ZONE_INFORMATION& zone,
                            TIME_ZONE_INFORMATION& rules) {
  return GetTimeZoneInformationForYear(year, const_cast<DYNAMIC_TIME_ZONE_INFORMATION*>(&zone),
                                       &rules) != FALSE;
}

std::wstring SystemUserLocaleInfo(LCTYPE type) {
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, nullptr, 0);
  if (length <= 0) return {};
  std::wstring value(static_cast<std::size_t>(length), L'\0');
  const int written = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, value.data(), length);
  // The answer counts the terminator.
  value.resize(written > 0 ? static_cast<std::size_t>(written) - 1 : 0);
  return value;
}

int SystemEnumFontFamily(HDC hdc, const wchar_t* family, FONTENUMPROCW proc, LPARAM param) {
  return EnumFontFamiliesW(hdc, family, proc, param);
}

// A function of user32 that older systems lack, looked up rather than linked so that the program
// still starts there; null where it is missing.
template <class Fn>
Fn User32Function(const char* name) {
  return ProcAddress<Fn>(GetModuleHandleW(L"user32.dll"), name);
}

UINT ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT MonitorDpi(HWND hwnd) {
  // Windows 8.1 tells each monitor's DPI through the shell's scaling library.
  using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  static const auto forMonitor =
      ProcAddress<GetDpiForMonitorFn>(LoadSystemLibrary(L"shcore.dll"), "GetDpiForMonitor");
  UINT x = 0, y = 0;
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  if (forMonitor &&
      SUCCEEDED(
          forMonitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) &&
      x > 0) {
    return x;
  }
  return ScreenDpi();
}

UINT SystemWindowDpi(HWND hwnd) {
  if (!hwnd) return ScreenDpi();
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto forWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (forWindow) {
    if (const UINT dpi = forWindow(hwnd)) return dpi;
  }
  return MonitorDpi(hwnd);
}

void SystemTellFailure(const wchar_t* caption, const wchar_t* text) {
  MessageBoxW(nullptr, text, caption, MB_OK | MB_ICONERROR | MB_RIGHT | MB_RTLREADING);
}

LoadLibraryFn g_loadLibrary = SystemLoadLibrary;
BeepFn g_beep = SystemBeep;
SoundHooks g_sound{SystemPlaySound, SystemStopSound};
AskFileNameFn g_askFileName = SystemAskFileName;
LocalTimeFn g_localTime = SystemLocalTime;
TimeZoneFn g_timeZone = SystemTimeZone;
UtcTimeFn g_utcTime = SystemUtcTime;
EnumZoneFn g_enumZone = SystemEnumZone;
MachineBinaryValueFn g_machineBinaryValue = SystemMachineBinaryValue;
ZoneRulesForYearFn g_zoneRulesForYear = SystemZoneRulesForYear;
UserLocaleInfoFn g_userLocaleInfo = SystemUserLocaleInfo;
EnumFontFamilyFn g_enumFontFamily = SystemEnumFontFamily;
TellFailureFn g_tellFailure = SystemTellFailure;
WindowDpiFn g_windowDpi = SystemWindowDpi;

// Puts a test's stand-in for a system call in place (null puts the system's back); answers the
// one it replaces.
template <class Fn>
Fn Replace(Fn& seam, std::type_identity_t<Fn> standIn, std::type_identity_t<Fn> system) {
  return std::exchange(seam, standIn ? standIn : system);
}

}  // namespace

HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (const HMODULE module = g_loadLibrary(name, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  // Windows 7 without its loader update (KB2533623) refuses the flag: the full path in the system
  // folder names the same file, and the library's own imports are then looked for there first.
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L'\\' + name;
  return g_loadLibrary(path.c_str(), LOAD_WITH_ALTERED_SEARCH_PATH);
}

LoadLibraryFn SetLoadLibraryForTesting(LoadLibraryFn load) {
  return Replace(g_loadLibrary, load, SystemLoadLibrary);
}

void Beep() { g_beep(); }

BeepFn SetBeepForTesting(BeepFn beep) {
  return Replace(g_beep, beep, SystemBeep);
}

void PlaySoundImage(const void* sound) { g_sound.play(sound); }

void StopSound() { g_sound.stop(); }

SoundHooks SetSoundForTesting(SoundHooks hooks) {
  const SoundHooks previous = g_sound;
  g_sound = hooks.play && hooks.stop ? hooks : SoundHooks{SystemPlaySound, SystemStopSound};
  return previous;
}

bool AskFileName(HWND owner, bool save, std::wstring& path) {
  return g_askFileName(owner, save, path);
}

AskFileNameFn SetAskFileNameForTesting(AskFileNameFn ask) {
  return Replace(g_askFileName, ask, SystemAskFileName);
}

SYSTEMTIME LocalTime() { return g_localTime(); }

LocalTimeFn SetLocalTimeForTesting(LocalTimeFn localTime) {
  return Replace(g_localTime, localTime, SystemLocalTime);
}

DWORD TimeZone(TIME_ZONE_INFORMATION& zone) { return g_timeZone(zone); }

TimeZoneFn SetTimeZoneForTesting(TimeZoneFn timeZone) {
  return Replace(g_timeZone, timeZone, SystemTimeZone);
}

SYSTEMTIME UtcTime() { return g_utcTime(); }

UtcTimeFn SetUtcTimeForTesting(UtcTimeFn utcTime) {
  return Replace(g_utcTime, utcTime, SystemUtcTime);
}

DWORD EnumZone(DWORD index, DYNAMIC_TIME_ZONE_INFORMATION& zone) {
  return g_enumZone(index, zone);
}

EnumZoneFn SetEnumZoneForTesting(EnumZoneFn enumZone) {
  return Replace(g_enumZone, enumZone, SystemEnumZone);
}

bool MachineBinaryValue(const wchar_t* key, const wchar_t* name, void* data, DWORD& size) {
  return g_machineBinaryValue(key, name, data, size);
}

MachineBinaryValueFn SetMachineBinaryValueForTesting(MachineBinaryValueFn readValue) {
  return Replace(g_machineBinaryValue, readValue, SystemMachineBinaryValue);
}

bool ZoneRulesForYear(USHORT year, const DYNAMIC_TIME_ZONE_INFORMATION& zone,
                      TIME_ZONE_INFORMATION& rules) {
  return g_zoneRulesForYear(year, zone, rules);
}

ZoneRulesForYearFn SetZoneRulesForYearForTesting(ZoneRulesForYearFn zoneRules) {
  return Replace(g_zoneRulesForYear, zoneRules, SystemZoneRulesForYear);
}

std::wstring UserLocaleInfo(LCTYPE type) { return g_userLocaleInfo(type); }

UserLocaleInfoFn SetUserLocaleInfoForTesting(UserLocaleInfoFn localeInfo) {
  return Replace(g_userLocaleInfo, localeInfo, SystemUserLocaleInfo);
}

int EnumFontFamily(HDC hdc, const wchar_t* family, FONTENUMPROCW proc, LPARAM param) {
  return g_enumFontFamily(hdc, family, proc, param);
}

EnumFontFamilyFn SetEnumFontFamilyForTesting(EnumFontFamilyFn enumFontFamily) {
  return Replace(g_enumFontFamily, enumFontFamily, SystemEnumFontFamily);
}

UINT WindowDpi(HWND hwnd) {
  return g_windowDpi(hwnd);
}

WindowDpiFn SetWindowDpiForTesting(WindowDpiFn windowDpi) {
  return Replace(g_windowDpi, windowDpi, SystemWindowDpi);
}

int SystemMetricForDpi(int index, UINT dpi) {
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  return forDpi ? forDpi(index, dpi) : GetSystemMetrics(index);
}

void LeaveDialogScalingToProgram(HWND dialog) {
  using SetBehaviourFn = BOOL(WINAPI*)(HWND, int mask, int values);
  static const auto setBehaviour = User32Function<SetBehaviourFn>("SetDialogDpiChangeBehavior");
  constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
  if (setBehaviour) setBehaviour(dialog, kDisableAll, kDisableAll);
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
  using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto forDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  if (!forDpi || !forDpi(&rect, style, FALSE, exStyle, dpi)) {
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  }
}

void TellFailure(const wchar_t* caption, const wchar_t* text) { g_tellFailure(caption, text); }

TellFailureFn SetTellFailureForTesting(TellFailureFn tell) {
  return Replace(g_tellFailure, tell, SystemTellFailure);
}

}  // namespace platform
