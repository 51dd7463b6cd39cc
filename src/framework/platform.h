#pragma once

// Calls to the system whose effect a test cannot see under Wine go through here, so that tests
// can watch them. The program uses the real calls; a test swaps in its own and restores the old.
namespace platform {

// The warning beep for rejected input, Beep(0, 0). (Under Wine Beep does nothing.)
void Beep();

using BeepFn = void (*)();
// Replaces the beep; returns the one it replaced.
BeepFn SetBeepForTesting(BeepFn beep);

}  // namespace platform
