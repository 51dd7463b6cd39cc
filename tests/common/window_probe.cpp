#include "window_probe.h"

#include <algorithm>
#include <thread>

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

// Sends a message that a hung window must not turn into a hung test; false when it was not
// answered.
bool SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             &result) != 0;
}

}  // namespace

std::wstring TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendWithTimeout(hwnd, WM_GETTEXTLENGTH, 0, 0, length) || length == 0) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendWithTimeout(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                       copied)) {
    return {};
  }
  text.resize(std::min<std::size_t>(copied, length));
  return text;
}

std::string Utf8(const std::wstring& text) {
  std::string out(text.size() * 3 + 1, '\0');
  out.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                 out.data(), static_cast<int>(out.size()), nullptr, nullptr));
  return out;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}
