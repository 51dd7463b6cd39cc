// Starts an installed ralimet.exe as a user would, from another folder, and tells from outside
// whether it found its cursor file: the speed window's pointer over the window's background is
// the horse of "horse.ani" when the file was read, and the usual arrow (as over the window's
// button) when it was not.
//
// Usage: installed_probe "C:\...\ralimet.exe"
// Exit code: 0 horse shown, 2 program and speed window fine but no horse, 1 anything else.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "framework/commands.h"
#include "framework/handles.h"
#include "panel_geometry.h"
#include "window_probe.h"

namespace {

constexpr int kHorse = 0;
constexpr int kFailed = 1;
constexpr int kNoHorse = 2;

// The speed button's centre in the launcher view's client pixels (left column, fourth row).
constexpr POINT kSpeedButton = panel::ButtonCentre(3);

// The visible top-level window of the process with this caption; null when there is none.
HWND FindTopLevel(DWORD processId, const std::wstring& caption) {
  for (const HWND hwnd : VisibleWindowsOf(processId)) {
    if (TextOf(hwnd) == caption) return hwnd;
  }
  return nullptr;
}

// A visible child window of this class; null when there is none.
HWND FindChildOfClass(HWND parent, const wchar_t* className) {
  HWND child = FindWindowExW(parent, nullptr, className, nullptr);
  while (child && !IsWindowVisible(child)) child = FindWindowExW(parent, child, className, nullptr);
  return child;
}

// A point of the window's client area, in screen pixels, that no child control covers.
bool FindBackgroundPoint(HWND dialog, POINT& screen) {
  RECT client{};
  GetClientRect(dialog, &client);
  for (LONG y = client.top + 4; y < client.bottom; y += 4) {
    for (LONG x = client.left + 4; x < client.right; x += 4) {
      if (ChildWindowFromPointEx(dialog, {x, y}, CWP_SKIPINVISIBLE) == dialog) {
        screen = {x, y};
        ClientToScreen(dialog, &screen);
        return true;
      }
    }
  }
  return false;
}

// The pointer the system shows once it has rested over point: the window under it chooses it
// in answer to WM_SETCURSOR, on its own thread.
HCURSOR PointerAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  HCURSOR shown = nullptr;
  // Settled when two readings a little apart agree.
  WaitFor(
      [&] {
        CURSORINFO first{};
        first.cbSize = sizeof first;
        GetCursorInfo(&first);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        CURSORINFO second{};
        second.cbSize = sizeof second;
        GetCursorInfo(&second);
        shown = second.hCursor;
        return first.hCursor == second.hCursor && first.ptScreenPos.x == screen.x &&
               first.ptScreenPos.y == screen.y;
      },
      kActionTimeout);
  return shown;
}

int Probe(const std::wstring& program, PROCESS_INFORMATION& process) {
  // Started from the Windows folder: only the program's own folder can supply the cursor.
  wchar_t windowsFolder[MAX_PATH] = {};
  GetWindowsDirectoryW(windowsFolder, MAX_PATH);
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      windowsFolder, &startup, &process)) {
    std::printf("cannot start the program: error %lu\n", GetLastError());
    return kFailed;
  }

  HWND frame = nullptr;
  if (!WaitFor([&] { return (frame = FindTopLevel(process.dwProcessId, L"Ralimet")) != nullptr; },
               kStartTimeout)) {
    std::printf("no main window \"Ralimet\" within %lld ms\n",
                static_cast<long long>(kStartTimeout.count()));
    return kFailed;
  }
  std::printf("main window \"Ralimet\" shown\n");

  const HWND view = GetDlgItem(frame, AFX_IDW_PANE_FIRST);
  if (!view) {
    std::printf("the main window has no launcher view\n");
    return kFailed;
  }
  PostClick(view, kSpeedButton);
  HWND speed = nullptr;
  if (!WaitFor([&] { return (speed = FindTopLevel(process.dwProcessId, L"السرعة")) != nullptr; },
               kActionTimeout)) {
    std::printf("the speed button opened no window \"السرعة\"\n");
    return kFailed;
  }
  std::printf("speed window shown\n");

  POINT background{};
  const HWND button = FindChildOfClass(speed, L"Button");
  if (!FindBackgroundPoint(speed, background) || !button) {
    std::printf("the speed window has no bare background or no button\n");
    return kFailed;
  }
  RECT buttonRect{};
  GetWindowRect(button, &buttonRect);
  const POINT overButton = {(buttonRect.left + buttonRect.right) / 2,
                            (buttonRect.top + buttonRect.bottom) / 2};

  const HCURSOR overBackground = PointerAt(background);
  const HCURSOR usual = PointerAt(overButton);
  const HCURSOR backAgain = PointerAt(background);
  std::printf("pointer over the background %p, over the button %p, over the background again %p\n",
              static_cast<void*>(overBackground), static_cast<void*>(usual),
              static_cast<void*>(backAgain));
  if (!overBackground || !usual || overBackground != backAgain) {
    std::printf("the pointer did not settle\n");
    return kFailed;
  }
  const bool horse = overBackground != usual;
  std::printf(horse ? "horse shown over the background\n"
                    : "no horse: the background shows the usual pointer\n");

  // Closed as a user would, so the process ends on its own.
  PostMessageW(speed, WM_CLOSE, 0, 0);
  WaitFor([&] { return !IsWindow(speed); }, kActionTimeout);
  PostMessageW(frame, WM_CLOSE, 0, 0);
  return horse ? kHorse : kNoHorse;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::printf("usage: installed_probe PROGRAM.EXE\n");
    return kFailed;
  }
  PROCESS_INFORMATION started{};
  const int result = Probe(argv[1], started);
  const UniqueKernelHandle thread(started.hThread);
  const UniqueKernelHandle process(started.hProcess);
  if (process && WaitForSingleObject(process.get(), static_cast<DWORD>(kActionTimeout.count())) !=
                     WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 0xDEAD);
    WaitForSingleObject(process.get(), 5000);
  }
  std::fflush(stdout);
  return result;
}
