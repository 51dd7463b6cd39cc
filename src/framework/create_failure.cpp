#include "framework/create_failure.h"

#include <cstddef>
#include <iterator>

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
  // In the order of CreateStep.
  constexpr const char* kNames[] = {"none",        "window class",  "frame window",
                                    "view window", "view pictures", "palette"};
  const auto index = static_cast<std::size_t>(step);
  return index < std::size(kNames) ? kNames[index] : "unknown";
}
