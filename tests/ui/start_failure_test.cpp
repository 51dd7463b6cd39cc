// A start that cannot make the main window tells the user, in Arabic, which step failed and the
// system's error, leaves no window behind, and the next start works.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/commands.h"
#include "running_app.h"

namespace {

enum class Refused { kNothing, kFrame, kView };
Refused g_refused = Refused::kNothing;

// Refuses the making of the main frame or of its view, as a system out of windows would.
LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW& cs = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    const bool view =
        (cs.style & WS_CHILD) && cs.hMenu == reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST);
    const bool frame =
        !(cs.style & WS_CHILD) && cs.lpszName && std::wstring(cs.lpszName) == L"Ralimet";
    if ((g_refused == Refused::kView && view) || (g_refused == Refused::kFrame && frame)) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int ThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

class StartFailureTest : public RunningAppTest {
 protected:
  void SetUp() override {}
};

TEST_F(StartFailureTest, NamesTheFailedStepAndTheNextStartWorks) {
  const struct {
    const char* name;
    Refused refused;
    int bitmapBase;
    CreateStep step;
    const wchar_t* stepName;
  } cases[] = {
      {"frame refused", Refused::kFrame, 0, CreateStep::kFrameWindow, L"إنشاء النافذة الرئيسية"},
      {"view refused", Refused::kView, 0, CreateStep::kView, L"إنشاء لوحة الأزرار"},
      {"no such pictures", Refused::kNothing, 5000, CreateStep::kViewPictures, L"تحميل صور اللوحة"},
  };
  for (const auto& c : cases) {
    const int windowsBefore = ThreadWindows();
    s_told.clear();
    const auto previous = platform::SetTellFailureForTesting(
        [](const wchar_t*, const wchar_t* text) { s_told.push_back(text); });
    g_refused = c.refused;
    const HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseCreation, nullptr, GetCurrentThreadId());
    auto app = std::make_unique<CRalimetApp>();
    app->m_nBitmapBase = c.bitmapBase;
    const BOOL started = app->InitInstance();
    UnhookWindowsHookEx(hook);
    platform::SetTellFailureForTesting(previous);
    const CreateFailure failure = AfxGetCreateFailure();

    EXPECT_FALSE(started) << c.name;
    EXPECT_EQ(AfxGetMainWnd(), nullptr) << c.name;
    EXPECT_EQ(failure.step, c.step) << c.name << ": " << CreateStepName(failure.step);
    if (c.step == CreateStep::kViewPictures) {
      EXPECT_EQ(failure.error, static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND)) << c.name;
    }
    const std::wstring expected = std::wstring(L"تعذّر فتح نافذة Ralimet عند ") + c.stepName +
                                  L" (خطأ النظام " + std::to_wstring(failure.error) + L").";
    ASSERT_EQ(s_told.size(), 1u) << c.name;
    EXPECT_TRUE(s_told[0] == expected) << c.name;
    EXPECT_EQ(ThreadWindows(), windowsBefore) << c.name << ": a window left behind";
    EXPECT_EQ(PumpMessages(), -1) << c.name << ": a quit message left behind";
    app.reset();
  }
  Start(L"");
}

}  // namespace
