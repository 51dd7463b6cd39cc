#pragma once

#include <windows.h>

// The steps of making the main window, so that a start that fails can say which one did.
enum class CreateStep { kNone, kWindowClass, kFrameWindow, kView, kViewPictures, kPalette };

// Why the window being made could not be: the first step that failed and the system's error
// (GetLastError) just after it.
struct CreateFailure {
  CreateStep step = CreateStep::kNone;
  DWORD error = 0;
};

// Notes that step failed, with the thread's last error, unless a step inside it failed first
// (a view that cannot be made fails its frame too, and the view is the cause).
void AfxNoteCreateFailure(CreateStep step);
// Forgets what failed before, when a new window is begun.
void AfxClearCreateFailure();
// What failed since the last clearing; step kNone when nothing did.
CreateFailure AfxGetCreateFailure();
// The step's name in English, for logs and test messages.
const char* CreateStepName(CreateStep step);
