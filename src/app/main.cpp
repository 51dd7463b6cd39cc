// Until the launcher panel is built, the program opens its fixed main window and says so.
#include <windows.h>

#include "res/resource.h"

namespace {

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(hwnd, &paint);
      wchar_t text[128];
      const int length = LoadStringW(GetModuleHandleW(nullptr), IDS_PLACEHOLDER, text, 128);
      RECT client;
      GetClientRect(hwnd, &client);
      SetBkMode(dc, TRANSPARENT);
      SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      DrawTextW(dc, text, length, &client,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_RTLREADING);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = MainWndProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"RalimetMain";
  RegisterClassW(&windowClass);

  constexpr int kWidth = 300, kHeight = 417;
  const HWND hwnd = CreateWindowExW(
      WS_EX_RIGHT | WS_EX_RTLREADING, L"RalimetMain", L"Ralimet",
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
      (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2, (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2,
      kWidth, kHeight, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  ShowWindow(hwnd, show);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
