#pragma once

// Where the launcher panel's twelve buttons stand and what they show; the view places its buttons
// by it, and the tests find them by it.
#include <windows.h>

namespace panel {

// The whole panel in the design's 96-DPI pixels: the view's client area, the 100 % picture's size.
inline constexpr SIZE kDesignSize{290, 389};

// The buttons by what they open, in index order.
enum Button : int {
  kAreaButton,
  kDateButton,
  kClothingButton,
  kSpeedButton,
  kWorldTimeButton,
  kLengthButton,
  kDurationButton,
  kTemperatureButton,
  kVolumeButton,
  kWeightButton,
  kAboutButton,
  kExitButton,
  kButtonCount
};

struct ButtonPlace {
  POINT topLeft;                      // in the view's client pixels
  UINT normal, highlighted, pressed;  // bitmaps of set 0
  const wchar_t* caption;             // as painted on the faces; screen readers say it
};

// Index order is the arrow keys' order: left column top to bottom, right column top to bottom,
// then the two small buttons.
inline constexpr ButtonPlace kButtons[kButtonCount] = {
    {{10, 90}, 159, 176, 177, L"المساحة"},     // area
    {{10, 140}, 160, 178, 179, L"التاريخ"},    // date
    {{10, 190}, 162, 180, 192, L"الملبوسات"},  // clothing sizes
    {{10, 240}, 165, 182, 183, L"السرعة"},     // speed
    {{10, 290}, 169, 186, 187, L"التوقيت"},    // world time
    {{145, 90}, 163, 181, 193, L"الطول"},      // length
    {{145, 140}, 149, 146, 148, L"الزمن"},     // time duration
    {{145, 190}, 166, 184, 185, L"الحرارة"},   // temperature
    {{145, 240}, 167, 188, 189, L"الحجم"},     // volume
    {{145, 290}, 168, 190, 191, L"الوزن"},     // weight
    {{15, 353}, 170, 194, 197, L"نبذة عن"},    // About
    {{153, 353}, 171, 195, 196, L"خروج"},      // exit
};

}  // namespace panel
