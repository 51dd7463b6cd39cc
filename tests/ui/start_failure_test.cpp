// A start that cannot make the main window tells the user in Arabic which step failed and the
// system's error, leaves no window behind, and the next start works.
#include "framework/commands.h"
#include "running_app.h"

namespace {

bool (*g_refuse)(const CREATESTRUCTW&) = nullptr;

// Refuses the making of a window, as a system out of windows would.
LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
  const auto* cbt = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
  if (code == HCBT_CREATEWND && g_refuse && g_refuse(*cbt->lpcs)) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

using StartFailureTest = RunningAppTest;

TEST_F(StartFailureTest, NamesTheFailedStepAndTheNextStartWorks) {
  Stop();
  const struct {
    bool (*refuse)(const CREATESTRUCTW&);
    int bitmapBase;  // 5000: no such pictures
    CreateStep step;
    const wchar_t* stepName;
  } cases[] = {
      {[](const CREATESTRUCTW& cs) { return !(cs.style & WS_CHILD); }, 0, CreateStep::kFrameWindow,
       L"إنشاء النافذة الرئيسية"},
      {[](const CREATESTRUCTW& cs) { return cs.hMenu == HMENU(AFX_IDW_PANE_FIRST); }, 0,
       CreateStep::kView, L"إنشاء لوحة الأزرار"},
      {nullptr, 5000, CreateStep::kViewPictures, L"تحميل صور اللوحة"},
  };
  for (const auto& c : cases) {
    g_refuse = c.refuse;
    const HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseCreation, nullptr, GetCurrentThreadId());
    m_app = std::make_unique<CRalimetApp>();
    m_app->m_nBitmapBase = c.bitmapBase;
    s_told.clear();
    const auto previous = platform::SetTellFailureForTesting(
        [](const wchar_t*, const wchar_t* text) { s_told.push_back(text); });
    EXPECT_FALSE(m_app->InitInstance()) << CreateStepName(c.step);
    platform::SetTellFailureForTesting(previous);
    UnhookWindowsHookEx(hook);
    const CreateFailure failure = AfxGetCreateFailure();
    EXPECT_EQ(failure.step, c.step) << CreateStepName(failure.step);
    const std::wstring told = std::wstring(L"تعذّر فتح نافذة Ralimet عند ") + c.stepName +
                              L" (خطأ النظام " + std::to_wstring(failure.error) + L").";
    EXPECT_TRUE(s_told == std::vector<std::wstring>{told}) << CreateStepName(c.step);
    EXPECT_EQ(FindWindowW(nullptr, L"Ralimet"), nullptr) << CreateStepName(c.step);
    EXPECT_EQ(PumpMessages(), -1) << CreateStepName(c.step) << ": a quit message left behind";
  }
  EXPECT_EQ(AfxGetCreateFailure().error, DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
  Start(L"");
}

}  // namespace
