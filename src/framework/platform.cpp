#include "framework/platform.h"

#include <commdlg.h>
#include <mmsystem.h>

namespace platform {
namespace {

void SystemBeep() { ::Beep(0, 0); }

void SystemPlaySound(const void* sound) {
  sndPlaySoundW(static_cast<const wchar_t*>(sound), SND_ASYNC | SND_MEMORY);
}

void SystemStopSound() { sndPlaySoundW(nullptr, 0); }

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
  const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) return false;
  path = file;
  return true;
}

BeepFn g_beep = SystemBeep;
SoundHooks g_sound{SystemPlaySound, SystemStopSound};
AskFileNameFn g_askFileName = SystemAskFileName;

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

}  // namespace platform
