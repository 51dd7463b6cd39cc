#pragma once

// What the tests ask of any window, of this process or of another: its text, and a wait for
// something about it to come true.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

// What a window says its text is (WM_GETTEXT; the system marshals it from another process).
// Empty when the window has none or does not answer within five seconds.
std::wstring TextOf(HWND hwnd);

// A text in UTF-8, for failure messages.
std::string Utf8(const std::wstring& text);

// Polls condition until it holds or timeout passes; answers whether it held.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout);
