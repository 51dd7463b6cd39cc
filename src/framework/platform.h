#pragma once

#include <windows.h>

#include <string>

// Calls to the system whose effect a test cannot see under Wine, or that would wait for a person,
// go through here so that tests can watch or answer them. The program uses the real calls; a test
// swaps in its own and puts the old one back.
namespace platform {

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

}  // namespace platform
