// The program started inside the test process as its entry point starts it, so that every window
// is opened from the panel, in the modal loop the launcher runs it in.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/main_frame.h"
#include "app/ralimet_app.h"
#include "framework/create_failure.h"
#include "panel/ralimet_view.h"
#include "platform/platform.h"
#include "settings_key.h"
#include "test_support.h"

// The windows of the panel's buttons 0 to 10, named for test names and messages.
inline constexpr const char* kWindowNames[CRalimetView::kExitButton] = {
    "area",     "date",        "clothing", "speed",  "world_time", "length",
    "duration", "temperature", "volume",   "weight", "about",
};
using panel::kClothingButton;
using panel::kDateButton;
using panel::kWorldTimeButton;

// Every window on a screen of the given DPI, as the system tells it, for as long as it lives.
class ScreenAtDpi {
 public:
  explicit ScreenAtDpi(UINT dpi) { s_dpi = dpi; }

 private:
  static inline UINT s_dpi = USER_DEFAULT_SCREEN_DPI;
  const StandIn<platform::SetWindowDpiForTesting> m_seam{[](HWND) { return s_dpi; }};
};

class RunningAppTest : public testing::Test {
 protected:
  void SetUp() override { Start(L""); }
  void TearDown() override { Stop(); }

  // Starts the program with this command line, as its entry point does (a failure is not shown).
  void Start(const wchar_t* commandLine) {
    m_app = std::make_unique<CRalimetApp>();
    m_app->m_lpCmdLine = commandLine;
    BOOL started = FALSE;
    {
      const StandIn<platform::SetTellFailureForTesting> silent{
          [](const wchar_t*, const wchar_t*) {}};
      started = m_app->InitInstance();
    }
    ASSERT_TRUE(started) << "no main window: " << CreateStepName(AfxGetCreateFailure().step)
                         << " failed, error " << AfxGetCreateFailure().error;
    m_frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
    ASSERT_NE(m_frame, nullptr);
    m_view = dynamic_cast<CRalimetView*>(m_frame->GetActiveView());
    ASSERT_NE(m_view, nullptr);
  }

  void Restart(const wchar_t* commandLine = L"") {
    Stop();
    Start(commandLine);
  }

  // Closes the main window as its close box does; answers the exit code that was posted.
  int Stop() {
    if (m_frame) SendMessageW(m_frame->m_hWnd, WM_CLOSE, 0, 0);
    m_frame = nullptr;
    m_view = nullptr;
    const int exitCode = PumpMessages();
    m_app.reset();
    return exitCode;
  }

  // The launcher still runs and answers its messages.
  bool LauncherAnswers() const {
    DWORD_PTR result = 0;
    return IsWindow(m_frame->m_hWnd) && IsWindow(m_view->m_hWnd) &&
           SendMessageTimeoutW(m_view->m_hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result);
  }

  std::unique_ptr<CRalimetApp> m_app;
  CMainFrame* m_frame = nullptr;
  CRalimetView* m_view = nullptr;
};
