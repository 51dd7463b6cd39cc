#pragma once

// What the tests ask of any window, of this process or of another: its text, and a wait for
// something about it to come true; and the messages a user's mouse and keys make.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Long enough for a slow first start under Wine; a window that has not come by then never will.
inline constexpr std::chrono::milliseconds kStartTimeout{20000};
// For anything a running program does in answer to a message. A wait ends as soon as its answer
// comes; the margin is for a loaded machine, where opening the world time window once took over 5 s.
inline constexpr std::chrono::milliseconds kActionTimeout{30000};

// What a window says its text is (WM_GETTEXT; the system marshals it from another process).
// Empty when the window has none or does not answer within five seconds.
std::wstring TextOf(HWND hwnd);

std::wstring ClassOf(HWND hwnd);

// A text in UTF-8, for failure messages.
std::string Utf8(const std::wstring& text);

// Polls condition until it holds or timeout passes; answers whether it held.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// The visible top-level windows of a process, in z-order.
std::vector<HWND> VisibleWindowsOf(DWORD processId);

// Messages as the system posts them for the user's mouse and keyboard, to the window under the
// pointer or with the focus. Points are in the window's client coordinates.
void PostMouseMove(HWND hwnd, POINT point, WPARAM keys = 0);
void PostClick(HWND hwnd, POINT point);  // move there, press and release the left button
void PostKeyDown(HWND hwnd, UINT vk);
void PostKeyUp(HWND hwnd, UINT vk);
