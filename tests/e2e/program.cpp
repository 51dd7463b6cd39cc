#include "program.h"

#include <algorithm>
#include <cstdint>
#include <thread>

#include "framework/commands.h"
#include "panel_geometry.h"

namespace e2e {

std::wstring WindowsPath(const char* path) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, path, -1, nullptr, 0);
  std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
  if (length > 1) MultiByteToWideChar(CP_UTF8, 0, path, -1, wide.data(), length);
  std::replace(wide.begin(), wide.end(), L'/', L'\\');
  // Wine maps the Unix root to drive Z:.
  if (wide.starts_with(L'\\')) wide.insert(0, L"Z:");
  return wide;
}

bool Program::Start(const std::wstring& arguments, std::optional<WORD> showWindow) {
  Kill();
  const std::wstring path = WindowsPath(RALIMET_PROGRAM);  // where the build put it
  std::wstring commandLine = L"\"" + path + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (showWindow) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = *showWindow;
  }
  // In a job that ends it when the last handle goes: even if this test program is killed, the
  // program cannot outlive it and keep the test run waiting on an inherited output pipe.
  m_job.reset(CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!m_job || !SetInformationJobObject(m_job.get(), JobObjectExtendedLimitInformation, &limits,
                                         sizeof limits)) {
    return false;
  }
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                      nullptr, nullptr, &startup, &started)) {
    return false;
  }
  m_process.reset(started.hProcess);
  m_processId = started.dwProcessId;
  const UniqueKernelHandle thread(started.hThread);
  const bool assigned = AssignProcessToJobObject(m_job.get(), m_process.get());
  ResumeThread(thread.get());
  return assigned;
}

HWND Program::WaitForMainWindow(milliseconds timeout) {
  WaitFor(
      [&] {
        // A program that ended will never show its window: stop waiting at once.
        if (!IsRunning()) return true;
        for (const HWND hwnd : VisibleWindowsOf(m_processId)) {
          if (!GetWindow(hwnd, GW_OWNER)) {
            m_mainWindow = hwnd;
            return true;
          }
        }
        return false;
      },
      timeout);
  return m_mainWindow;
}

HWND Program::WaitForOwnedWindow(HWND owner, milliseconds timeout) const {
  HWND owned = nullptr;
  WaitFor(
      [&] {
        for (const HWND hwnd : VisibleWindowsOf(m_processId)) {
          if (GetWindow(hwnd, GW_OWNER) == owner) owned = hwnd;
        }
        return owned != nullptr || !IsRunning();
      },
      timeout);
  return owned;
}

std::optional<DWORD> Program::WaitForExit(milliseconds timeout) const {
  if (!m_process ||
      WaitForSingleObject(m_process.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(m_process.get(), &code);
  return code;
}

bool Program::IsRunning() const {
  return m_process && WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT;
}

void Program::Kill() {
  if (IsRunning()) {
    TerminateProcess(m_process.get(), 0xDEAD);
    WaitForSingleObject(m_process.get(), 5000);
  }
  m_process.reset();
  m_job.reset();
  m_processId = 0;
  m_mainWindow = nullptr;
}

HWND Program::View() const {
  return GetDlgItem(m_mainWindow, AFX_IDW_PANE_FIRST);
}

HWND Program::OpenFromPanel(int button) const {
  // The view is the panel at the screen's scale: the design's centre is taken along.
  RECT view{};
  GetClientRect(View(), &view);
  const POINT centre = panel::ButtonCentre(button);
  PostClick(View(), {MulDiv(centre.x, view.right, panel::kPanelSize.cx),
                     MulDiv(centre.y, view.bottom, panel::kPanelSize.cy)});
  return WaitForOwnedWindow(m_mainWindow);
}

bool CloseByBackButton(HWND window) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return WaitFor([&] { return !IsWindow(window); }, kActionTimeout);
}

ScreenShot ShootScreen(const RECT& area) {
  ScreenShot shot;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return shot;
  const ClientDC screen(nullptr);
  const UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const UniqueBitmap dib(CreateDIBSection(memory.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return shot;
  const ScopedSelectObject selected(memory.get(), dib.get());
  if (BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY)) {
    shot.width = width;
    shot.height = height;
    const auto* bgrx = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
      shot.pixels.push_back(RGB(bgrx[4 * i + 2], bgrx[4 * i + 1], bgrx[4 * i]));
    }
  }
  return shot;
}

}  // namespace e2e
