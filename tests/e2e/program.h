#pragma once

// ralimet.exe started as a process of its own and driven from outside, as a user or the shell
// would: only window handles, messages and what the system tells about another process.
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/handles.h"
#include "window_probe.h"

namespace e2e {

using std::chrono::milliseconds;

// A path as the program under test sees it: a Unix path under Wine goes through drive Z:.
std::wstring WindowsPath(const char* path);

// One run of ralimet.exe. Whatever a test does, the process does not outlive this object.
class Program {
 public:
  Program() = default;
  ~Program() { Kill(); }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Starts the program with the text after its name on the command line. showWindow, when given,
  // is what the starting program asks for in STARTUPINFO (a shortcut's "Run" setting).
  bool Start(const std::wstring& arguments, std::optional<WORD> showWindow = std::nullopt);
  // The visible top-level window that nothing owns, once there is one; null after the timeout.
  HWND WaitForMainWindow(milliseconds timeout = kStartTimeout);
  // A visible window of the program that owner owns (a modal box); null after the timeout.
  HWND WaitForOwnedWindow(HWND owner, milliseconds timeout = kActionTimeout) const;
  // Opens the window of a panel button by a click on it, as a user does; answers it, or null.
  HWND OpenFromPanel(int button) const;
  // The exit code once the process has ended; nothing when it is still running after timeout.
  std::optional<DWORD> WaitForExit(milliseconds timeout = kActionTimeout) const;
  bool IsRunning() const;
  void Kill();

  DWORD Id() const { return m_processId; }
  HWND MainWindow() const { return m_mainWindow; }
  // The launcher view, the main window's pane.
  HWND View() const;

 private:
  UniqueKernelHandle m_job;
  UniqueKernelHandle m_process;
  DWORD m_processId = 0;
  HWND m_mainWindow = nullptr;
};

// Closes a window of the program as its back button does; answers whether it went in time.
bool CloseByBackButton(HWND window);

// The screen's pixels in a rectangle of screen coordinates, as the display shows them (empty when
// they cannot be read).
struct ScreenShot {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;  // top row first

  COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
ScreenShot ShootScreen(const RECT& area);

}  // namespace e2e
