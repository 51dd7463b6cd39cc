#pragma once

#include <windows.h>

// The screen's scale, dpi / 96: the design's figures are pixels at 96 DPI, and the screen shows
// each one this many times as large. Every figure is rounded once, from the design's own value,
// so that edges which meet in the design meet at every scale.
struct Scale {
  static constexpr UINT kDesignDpi = 96;
  UINT dpi = kDesignDpi;

  // Rounded half away from zero.
  constexpr int operator()(int pixels) const {
    const long long scaled = static_cast<long long>(pixels) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi
                                        : -((-scaled + half) / kDesignDpi));
  }
  constexpr POINT operator()(POINT point) const { return {(*this)(point.x), (*this)(point.y)}; }
  constexpr SIZE operator()(SIZE size) const { return {(*this)(size.cx), (*this)(size.cy)}; }
  constexpr RECT operator()(const RECT& rect) const {
    return {(*this)(rect.left), (*this)(rect.top), (*this)(rect.right), (*this)(rect.bottom)};
  }
  // A point of the screen back in the design's pixels (rounded down).
  constexpr int Unscaled(int pixels) const {
    return static_cast<int>(static_cast<long long>(pixels) * kDesignDpi / dpi);
  }
  friend constexpr bool operator==(Scale, Scale) = default;
};
