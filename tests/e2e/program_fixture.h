#pragma once

// The tests of ralimet.exe as a whole: one run at a time, which ends with the test.
#include <gtest/gtest.h>

#include "program.h"

namespace e2e {

class ProgramTest : public ::testing::Test {
 protected:
  void TearDown() override { m_program.Kill(); }

  // Starts a fresh run of the program (ending any earlier one) and waits for its window. The
  // pointer goes away first: a real pointer over the view would move its highlight between the
  // test's own messages.
  void Launch(const std::wstring& arguments = L"", std::optional<WORD> showWindow = {}) {
    SetCursorPos(0, 0);
    ASSERT_TRUE(m_program.Start(arguments, showWindow))
        << "CreateProcessW failed, error " << GetLastError();
    m_frame = m_program.WaitForMainWindow();
    ASSERT_NE(m_frame, nullptr) << "no main window within " << kStartTimeout.count() << " ms";
    m_view = m_program.View();
    ASSERT_NE(m_view, nullptr) << "the main window has no view (control 0xE900)";
  }

  Program m_program;
  HWND m_frame = nullptr;
  HWND m_view = nullptr;
};

}  // namespace e2e
