#pragma once

#include <windows.h>

// What a screen reader says for the world time window's controls.

// The controls whose names never change.
void NameFixedClockControls(HWND dialog);

// A place clock, its time box and spin buttons, after the place its list shows: "توقيت الكويت".
// With no place chosen the clock keeps the computer's time: it reads as its list, the first
// place's or the second's.
void NamePlaceClock(HWND timeBox, HWND hours, HWND minutes, HWND placeList, bool firstPlace);
