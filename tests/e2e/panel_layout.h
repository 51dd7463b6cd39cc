#pragma once

// Where the launcher's twelve buttons are, in the view's client pixels, as a user sees them.
#include <windows.h>

namespace e2e {

inline constexpr int kButtonCount = 12;
inline constexpr int kAboutButton = 10;
inline constexpr int kExitButton = 11;

// Left column 0..4, right column 5..9, top to bottom; then About and exit along the bottom.
constexpr RECT ButtonRect(int n) {
  if (n < 10) {
    const LONG left = n < 5 ? 10 : 145;
    const LONG top = 90 + 50 * (n % 5);
    return {left, top, left + 135, top + 50};
  }
  const LONG left = n == kAboutButton ? 15 : 153;
  return {left, 353, left + 122, 353 + 25};
}

constexpr POINT ButtonCentre(int n) {
  const RECT r = ButtonRect(n);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace e2e
