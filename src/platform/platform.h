#pragma once

#include <windows.h>

#include <string>

// Calls to the system whose effect a test cannot see under Wine, or that would wait for a person,
// go through here so that tests can watch or answer them. The program uses the real calls; a test
// swaps in its own and puts the old one back.
namespace platform {

// A library of the system, from the system folder only: never a file of that name planted beside
// the program or in the current folder. Null when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);
// The function name of module, as a pointer of type Function; null when either is missing. For
// calls looked up at run time rather than linked (newer systems' calls, libraries loaded late).
template <class Function>
Function ProcAddress(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}
// The loader call beneath it, LoadLibraryExW(name, nullptr, flags).
using LoadLibraryFn = HMODULE (*)(const wchar_t* name, DWORD flags);
LoadLibraryFn SetLoadLibraryForTesting(LoadLibraryFn load);

// The warning beep for rejected input, Beep(0, 0). (Under Wine Beep does nothing.)
void Beep();
using BeepFn = void (*)();
BeepFn SetBeepForTesting(BeepFn beep);

// Plays a RIFF WAVE image asynchronously, cutting off any sound still playing; a null sound
// stops it. (sndPlaySound with SND_ASYNC | SND_MEMORY, or with nothing and no flags.)
void PlaySoundImage(const void* sound);
void StopSound();
struct SoundHooks {
  void (*play)(const void* sound);
  void (*stop)();
};
SoundHooks SetSoundForTesting(SoundHooks hooks);

// The platform's open (save false) or save-as (save true) dialog for one file; path comes in as
// the suggested name and goes out as the chosen file. False when the user cancelled. The save-as
// dialog asks before an existing file is replaced.
bool AskFileName(HWND owner, bool save, std::wstring& path);
using AskFileNameFn = bool (*)(HWND owner, bool save, std::wstring& path);
AskFileNameFn SetAskFileNameForTesting(AskFileNameFn ask);

// The system's local time, daylight saving included (GetLocalTime).
SYSTEMTIME LocalTime();
using LocalTimeFn = SYSTEMTIME (*)();
LocalTimeFn SetLocalTimeForTesting(LocalTimeFn localTime);

// The current instant in UTC (GetSystemTime).
SYSTEMTIME UtcTime();
using UtcTimeFn = SYSTEMTIME (*)();
UtcTimeFn SetUtcTimeForTesting(UtcTimeFn utcTime);

// One entry of the system's zone list (EnumDynamicTimeZoneInformation): ERROR_SUCCESS, then
// ERROR_NO_MORE_ITEMS past the last entry; another error for an entry that cannot be read; and
// ERROR_CALL_NOT_IMPLEMENTED on a system without the list (Windows 7).
DWORD EnumZone(DWORD index, DYNAMIC_TIME_ZONE_INFORMATION& zone);
using EnumZoneFn = DWORD (*)(DWORD index, DYNAMIC_TIME_ZONE_INFORMATION& zone);
EnumZoneFn SetEnumZoneForTesting(EnumZoneFn enumZone);

// A binary value under HKEY_LOCAL_MACHINE (RegGetValueW): size comes in as data's room and goes
// out as the bytes read. False when the value is missing, not binary or larger than the room.
bool MachineBinaryValue(const wchar_t* key, const wchar_t* name, void* data, DWORD& size);
using MachineBinaryValueFn = bool (*)(const wchar_t* key, const wchar_t* name, void* data,
                                      DWORD& size);
MachineBinaryValueFn SetMachineBinaryValueForTesting(MachineBinaryValueFn readValue);

// One year's rules of a zone (GetTimeZoneInformationForYear). False when the system cannot give
// them.
bool ZoneRulesForYear(USHORT year, const DYNAMIC_TIME_ZONE_INFORMATION& zone,
                      TIME_ZONE_INFORMATION& rules);
using ZoneRulesForYearFn = bool (*)(USHORT year, const DYNAMIC_TIME_ZONE_INFORMATION& zone,
                                    TIME_ZONE_INFORMATION& rules);
ZoneRulesForYearFn SetZoneRulesForYearForTesting(ZoneRulesForYearFn zoneRules);

// The computer's time zone (GetTimeZoneInformation): fills zone and answers the call's result,
// TIME_ZONE_ID_UNKNOWN, _STANDARD, _DAYLIGHT or _INVALID.
DWORD TimeZone(TIME_ZONE_INFORMATION& zone);
using TimeZoneFn = DWORD (*)(TIME_ZONE_INFORMATION& zone);
TimeZoneFn SetTimeZoneForTesting(TimeZoneFn timeZone);

// One setting of the user's locale (GetLocaleInfoW with LOCALE_USER_DEFAULT); empty when it
// cannot be read.
std::wstring UserLocaleInfo(LCTYPE type);
using UserLocaleInfoFn = std::wstring (*)(LCTYPE type);
UserLocaleInfoFn SetUserLocaleInfoForTesting(UserLocaleInfoFn localeInfo);

// The fonts of one family on a device, each handed to proc until it answers 0
// (EnumFontFamiliesW); answers what proc last answered, or 1 when the family has no font.
int EnumFontFamily(HDC hdc, const wchar_t* family, FONTENUMPROCW proc, LPARAM param);
using EnumFontFamilyFn = int (*)(HDC hdc, const wchar_t* family, FONTENUMPROCW proc, LPARAM param);
EnumFontFamilyFn SetEnumFontFamilyForTesting(EnumFontFamilyFn enumFontFamily);

// The dots per inch of the screen under window hwnd (of its monitor where the system tells each
// monitor's apart), or of the system for a null hwnd. Asked with the newest call the system has:
// GetDpiForWindow (Windows 10), GetDpiForMonitor (8.1), else the screen's LOGPIXELSX.
UINT WindowDpi(HWND hwnd);
using WindowDpiFn = UINT (*)(HWND hwnd);
WindowDpiFn SetWindowDpiForTesting(WindowDpiFn windowDpi);

// GetSystemMetricsForDpi where the system has it, else GetSystemMetrics (the system's DPI).
int SystemMetricForDpi(int index, UINT dpi);
// The window rectangle around a client rectangle (AdjustWindowRectExForDpi where the system has
// it, else AdjustWindowRectEx). No menu.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);

// Keeps the system from scaling a dialog of a per-monitor aware program itself when the dialog
// moves to another scale (SetDialogDpiChangeBehavior, Windows 10 1703): the program does that
// for every system alike. Nothing where the system lacks the call.
void LeaveDialogScalingToProgram(HWND dialog);

// Tells the user of a failure the program cannot go on from and waits until it is read: a
// message box with an error icon and one OK button, read right to left.
void TellFailure(const wchar_t* caption, const wchar_t* text);
using TellFailureFn = void (*)(const wchar_t* caption, const wchar_t* text);
TellFailureFn SetTellFailureForTesting(TellFailureFn tell);

}  // namespace platform
