#include "framework/create_failure.h"

namespace {
CreateFailure g_failure;  // windows are made on the one thread
}  // namespace

void AfxNoteCreateFailure(CreateStep step) {
  const DWORD error = GetLastError();
  if (g_failure.step == CreateStep::kNone) g_failure = {step, error};
}

void AfxClearCreateFailure() {
  g_failure = {};
}

CreateFailure AfxGetCreateFailure() {
  return g_failure;
}

const char* CreateStepName(CreateStep step) {
  switch (step) {
    case CreateStep::kNone:
      return "none";
    case CreateStep::kWindowClass:
      return "window class";
    case CreateStep::kFrameWindow:
      return "frame window";
    case CreateStep::kView:
      return "view window";
    case CreateStep::kViewPictures:
      return "view pictures";
    case CreateStep::kPalette:
      return "palette";
  }
  return "unknown";
}
