#pragma once

// The launcher's buttons as a user sees them, in the view's client pixels: the program's own
// places, with the sizes of the pictures on the faces.
#include <windows.h>

#include "panel/panel_layout.h"

namespace panel {

// The whole panel at 96 DPI; a screen of another scale shows it that many times as large.
inline constexpr SIZE kPanelSize{290, 389};
// The faces of the ten window buttons, and of About and exit.
inline constexpr SIZE kLargeFace{135, 50};
inline constexpr SIZE kSmallFace{122, 25};

// Right and bottom exclusive.
constexpr RECT ButtonRect(int n) {
  const POINT at = kButtons[n].topLeft;
  const SIZE face = n < kAboutButton ? kLargeFace : kSmallFace;
  return {at.x, at.y, at.x + face.cx, at.y + face.cy};
}

constexpr POINT ButtonCentre(int n) {
  const RECT r = ButtonRect(n);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace panel
