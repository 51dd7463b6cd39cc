#include "framework/platform.h"

#include <commdlg.h>
#include <mmsystem.h>

namespace platform {

HMODULE LoadSystemLibrary(const wchar_t* name) {
  return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

namespace {

void SystemBeep() { ::Beep(0, 0); }

// The sound library is loaded at the first click, not at start-up: loading it brings up the
// system's audio stack, which the launcher does not need before then.
void PlayWithSystem(const void* sound, UINT flags) {
  using SndPlaySound = BOOL(WINAPI*)(const wchar_t*, UINT);
  static const auto play = [] {
    const HMODULE winmm = LoadSystemLibrary(L"winmm.dll");
    return winmm ? reinterpret_cast<SndPlaySound>(
                       reinterpret_cast<void*>(GetProcAddress(winmm, "sndPlaySoundW")))
                 : nullptr;
  }();
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
  const auto dialog = comdlg ? reinterpret_cast<FileDialog>(reinterpret_cast<void*>(GetProcAddress(
                                   comdlg, save ? "GetSaveFileNameW" : "GetOpenFileNameW")))
                             : nullptr;
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

BeepFn g_beep = SystemBeep;
SoundHooks g_sound{SystemPlaySound, SystemStopSound};
AskFileNameFn g_askFileName = SystemAskFileName;
LocalTimeFn g_localTime = SystemLocalTime;
TimeZoneFn g_timeZone = SystemTimeZone;
UserLocaleInfoFn g_userLocaleInfo = SystemUserLocaleInfo;
EnumFontFamilyFn g_enumFontFamily = SystemEnumFontFamily;

}  // namespace

void Beep() { g_beep(); }

BeepFn SetBeepForTesting(BeepFn beep) {
  BeepFn previous = g_beep;
  g_beep = beep ? beep : SystemBeep;
  return previous;
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
  AskFileNameFn previous = g_askFileName;
  g_askFileName = ask ? ask : SystemAskFileName;
  return previous;
}

SYSTEMTIME LocalTime() { return g_localTime(); }

LocalTimeFn SetLocalTimeForTesting(LocalTimeFn localTime) {
  LocalTimeFn previous = g_localTime;
  g_localTime = localTime ? localTime : SystemLocalTime;
  return previous;
}

DWORD TimeZone(TIME_ZONE_INFORMATION& zone) { return g_timeZone(zone); }

TimeZoneFn SetTimeZoneForTesting(TimeZoneFn timeZone) {
  TimeZoneFn previous = g_timeZone;
  g_timeZone = timeZone ? timeZone : SystemTimeZone;
  return previous;
}

std::wstring UserLocaleInfo(LCTYPE type) { return g_userLocaleInfo(type); }

UserLocaleInfoFn SetUserLocaleInfoForTesting(UserLocaleInfoFn localeInfo) {
  UserLocaleInfoFn previous = g_userLocaleInfo;
  g_userLocaleInfo = localeInfo ? localeInfo : SystemUserLocaleInfo;
  return previous;
}

int EnumFontFamily(HDC hdc, const wchar_t* family, FONTENUMPROCW proc, LPARAM param) {
  return g_enumFontFamily(hdc, family, proc, param);
}

EnumFontFamilyFn SetEnumFontFamilyForTesting(EnumFontFamilyFn enumFontFamily) {
  EnumFontFamilyFn previous = g_enumFontFamily;
  g_enumFontFamily = enumFontFamily ? enumFontFamily : SystemEnumFontFamily;
  return previous;
}

}  // namespace platform
