#include "framework/platform.h"

#include <windows.h>

namespace platform {
namespace {

void SystemBeep() { ::Beep(0, 0); }

BeepFn g_beep = SystemBeep;

}  // namespace

void Beep() { g_beep(); }

BeepFn SetBeepForTesting(BeepFn beep) {
  BeepFn previous = g_beep;
  g_beep = beep ? beep : SystemBeep;
  return previous;
}

}  // namespace platform
