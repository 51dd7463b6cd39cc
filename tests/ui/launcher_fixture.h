#pragma once

// The launcher as the program starts it: the application object, its main window and the view,
// with the mouse and key messages a user's actions produce.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "panel_geometry.h"
#include "running_app.h"

inline constexpr wchar_t kAboutCaption[] = L"نبذة عن Ralimet";

// Records the caption of every window the panel opens and closes it at once, as a user pressing
// Escape would.
class WindowWatcher {
 public:
  WindowWatcher() {
    s_captions.clear();
    s_opening = nullptr;
    m_hook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~WindowWatcher() { UnhookWindowsHookEx(m_hook); }
  const std::vector<std::wstring>& captions() const { return s_captions; }
  int opened(const wchar_t* caption) const {
    return static_cast<int>(std::count(s_captions.begin(), s_captions.end(), caption));
  }

 private:
  // A window may be activated before it has finished its set-up (a property sheet sets its
  // caption after that): it is looked at from its own modal loop, once it runs.
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
      const auto hwnd = reinterpret_cast<HWND>(wParam);
      if (GetWindow(hwnd, GW_OWNER) && hwnd != s_opening) {
        s_opening = hwnd;
        SetTimer(nullptr, 0, 0, LookAndClose);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static void CALLBACK LookAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    s_captions.push_back(TextOf(s_opening));
    PostMessageW(s_opening, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }

  HHOOK m_hook;
  static inline std::vector<std::wstring> s_captions;
  static inline HWND s_opening = nullptr;
};

// The About box, as the tests below count it.
class AboutWatcher : public WindowWatcher {
 public:
  int opened() const { return WindowWatcher::opened(kAboutCaption); }
};

// Where each button is, in the view's client pixels.
inline constexpr POINT kAboutCentre = panel::ButtonCentre(panel::kAboutButton);
inline constexpr POINT kLengthCentre = panel::ButtonCentre(5);
inline constexpr POINT kOffEveryButton{5, 5};

class LauncherTest : public RunningAppTest {
 protected:
  void Mouse(UINT message, POINT point, UINT flags = 0) {
    SendMessageW(m_view->m_hWnd, message, flags, MAKELPARAM(point.x, point.y));
  }
  void MoveTo(POINT point) { Mouse(WM_MOUSEMOVE, point); }
  void Press(POINT point) { Mouse(WM_LBUTTONDOWN, point, MK_LBUTTON); }
  void DragTo(POINT point) { Mouse(WM_MOUSEMOVE, point, MK_LBUTTON); }
  void Release(POINT point) { Mouse(WM_LBUTTONUP, point); }
  void KeyDown(UINT vk) { SendMessageW(m_view->m_hWnd, WM_KEYDOWN, vk, 1); }
  void KeyUp(UINT vk) { SendMessageW(m_view->m_hWnd, WM_KEYUP, vk, 0xC0000001); }
  int State(int n) const { return m_view->GetButton(n).GetState(); }
};
