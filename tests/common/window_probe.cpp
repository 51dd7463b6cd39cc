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

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  if (processId == search->processId && IsWindowVisible(hwnd)) search->found.push_back(hwnd);
  return TRUE;
}

// The key message's lParam: one repeat, the key's scan code, the extended-key bit for the arrow
// keys, and for a release the previous-state and transition bits.
LPARAM KeyData(UINT vk, bool release) {
  const UINT scanCode = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  const bool extended = vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN;
  DWORD data = 1 | (scanCode & 0xFF) << 16 | (extended ? 1u << 24 : 0);
  if (release) data |= 3u << 30;
  return static_cast<LPARAM>(data);
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

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
  return std::wstring(name, length > 0 ? length : 0);
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

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
  WindowSearch search{processId, {}};
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void PostMouseMove(HWND hwnd, POINT point, WPARAM keys) {
  PostMessageW(hwnd, WM_MOUSEMOVE, keys, MAKELPARAM(point.x, point.y));
}

void PostClick(HWND hwnd, POINT point) {
  PostMouseMove(hwnd, point);
  PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void PostKeyDown(HWND hwnd, UINT vk) {
  PostMessageW(hwnd, WM_KEYDOWN, vk, KeyData(vk, false));
}

void PostKeyUp(HWND hwnd, UINT vk) {
  PostMessageW(hwnd, WM_KEYUP, vk, KeyData(vk, true));
}
