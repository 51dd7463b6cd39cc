#pragma once

#include <windows.h>

// value + step wrapped into 0 to range - 1, for any step.
int Wrap(int value, int step, int range);

// Lets a clock's two spin buttons step under Up and Down, as on a click of their arrows, and move
// the focus between them with Right (from the hours) and Left (from the minutes), as they stand
// on the screen.
void LetArrowKeysStep(HWND hours, HWND minutes);
