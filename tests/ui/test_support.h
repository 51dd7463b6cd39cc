#pragma once

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "window_probe.h"

// Puts a test's stand-in for one of the platform's seams in place for as long as it lives:
//   StandIn<platform::SetLocalTimeForTesting> time{FakeLocalTime};
template <auto Set>
class StandIn {
 public:
  template <class Fn>
  explicit StandIn(Fn standIn) : m_previous(Set(standIn)) {}
  ~StandIn() { Set(m_previous); }
  StandIn(const StandIn&) = delete;
  StandIn& operator=(const StandIn&) = delete;

 private:
  decltype(Set(nullptr)) m_previous;
};

// Counts the warning beeps for as long as it lives.
class BeepCounter {
 public:
  BeepCounter();
  ~BeepCounter();
  int count() const;
};

// Records every sound played (the image pointer) and every stop, for as long as it lives.
class SoundRecorder {
 public:
  SoundRecorder();
  ~SoundRecorder();
  const std::vector<const void*>& plays() const;
  int stops() const;
};

// A key pressed and released on a control, as the keyboard delivers it to the focus.
void PressKey(HWND control, UINT vk);
// Characters typed into a control as the keyboard delivers them once translated; L'\b' is
// Backspace.
void TypeKeys(HWND control, std::wstring_view keys);
// Puts text on the clipboard, as copying it elsewhere would; false when the clipboard refused.
bool PutOnClipboard(HWND owner, const std::wstring& text);

// A row of a drop-down list chosen with the mouse: the list takes it and tells its parent.
void ChooseListRow(HWND list, int row);

// A click on the upper or lower arrow of an up-down control, the pointer moving off it after.
void ClickUpDownArrow(HWND upDown, bool upper);

// Acts on the active window from inside the modal loop that the caller starts next, as a user
// would once the window is open.
void ActInsideModalLoop(std::function<void(HWND active)> act);

// Closes a window (WM_CLOSE) that is still there a second after it was watched, so that a close
// that did nothing fails a test instead of hanging it in the window's modal loop.
class StillOpenGuard {
 public:
  StillOpenGuard() = default;
  StillOpenGuard(const StillOpenGuard&) = delete;
  StillOpenGuard& operator=(const StillOpenGuard&) = delete;
  ~StillOpenGuard();
  void Watch(HWND window);
  // Whether the window was still there and had to be closed.
  bool closedIt() const;

 private:
  UINT_PTR m_timer = 0;
};

// The DPI of the screen the test runs at: the prefix's, which ctest names in RALIMET_TEST_DPI
// (96 without it).
inline UINT PrefixDpi() {
  const char* dpi = std::getenv("RALIMET_TEST_DPI");
  return dpi ? std::atoi(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// Dispatches what is waiting in this thread's queue (a WM_QUIT is kept aside and reported).
// Answers the exit code of the WM_QUIT it met, or -1 when there was none.
int PumpMessages();
