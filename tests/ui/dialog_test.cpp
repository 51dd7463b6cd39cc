// Dialogs as the windows use them: modal loops, the message map, the members on open and close.
#include <gtest/gtest.h>

#include <functional>

#include "test_dialog.h"

namespace {

// Runs a script from inside its own modal loop, as a user acting on the open window would.
class CScriptedDlg : public CExchangeTestDlg {
 public:
  explicit CScriptedDlg(std::function<void(CScriptedDlg&)> script) : m_script(std::move(script)) {}

  HWND m_ownerSeen = nullptr;
  int m_nOnOK = 0;
  int m_nCancel = 0;
  int m_nSecondOwn = 0;  // the changes of the second field that reached this class's own row

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CExchangeTestDlg::OnInitDialog();
    PostMessageW(m_hWnd, WM_APP, 0, 0);
    return result;
  }
  LRESULT OnRunScript(WPARAM, LPARAM) {
    m_ownerSeen = GetWindow(m_hWnd, GW_OWNER);
    m_script(*this);
    return 0;
  }
  void OnOK() override {
    ++m_nOnOK;
    CExchangeTestDlg::OnOK();
  }
  void OnCancel() override {
    ++m_nCancel;
    CExchangeTestDlg::OnCancel();
  }
  void OnChangeSecond() { ++m_nSecondOwn; }

  DECLARE_MESSAGE_MAP()

 private:
  std::function<void(CScriptedDlg&)> m_script;
};

const CommandRoute CScriptedDlg::kRoutes[] = {
    OnMessage(WM_APP, &CScriptedDlg::OnRunScript),
    Command(EN_CHANGE, IDC_SECOND, &CScriptedDlg::OnChangeSecond),
};
const MessageMap CScriptedDlg::kMessageMap{&CExchangeTestDlg::kMessageMap, kRoutes};

TEST(DialogTest, OkReadsTheFieldsAndEndsTheLoop) {
  CScriptedDlg dlg([](CScriptedDlg& d) {
    EXPECT_EQ(d.Text(IDC_FIRST), L"1.00000000") << "OnInitDialog wrote the members";
    d.Type(IDC_FIRST, L"42");
    SendMessageW(d.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(d.GetDlgItem(IDOK)));
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_nOnOK, 1);
  EXPECT_EQ(dlg.m_first, 42);
  EXPECT_EQ(dlg.m_hWnd, nullptr) << "the object lets go of its window when it is destroyed";
}

TEST(DialogTest, EscapeAndCloseBoxCancelWithoutReading) {
  const std::function<void(CScriptedDlg&)> closers[] = {
      [](CScriptedDlg& d) {
        MSG msg{d.GetDlgItem(IDC_FIRST), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
        IsDialogMessageW(d.m_hWnd, &msg);
      },
      [](CScriptedDlg& d) { SendMessageW(d.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); },
  };
  for (const auto& close : closers) {
    CScriptedDlg dlg([&](CScriptedDlg& d) {
      d.Type(IDC_FIRST, L"42");
      close(d);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_nOnOK, 0);
    EXPECT_EQ(dlg.m_first, 1);
  }
}

TEST(DialogTest, OwnedByTheMainWindowWhenItHasNoParent) {
  CExchangeTestDlg mainWindow;
  ASSERT_TRUE(mainWindow.Create());
  AfxSetMainWnd(&mainWindow);
  CScriptedDlg dlg([](CScriptedDlg& d) { d.EndDialog(IDCANCEL); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  AfxSetMainWnd(nullptr);
  EXPECT_EQ(dlg.m_ownerSeen, mainWindow.m_hWnd);
  EXPECT_TRUE(IsWindowEnabled(mainWindow.m_hWnd)) << "the owner is enabled again after the loop";
}

TEST(DialogTest, MissingTemplateAnswersMinusOne) {
  CDialog dlg(12345);
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_FALSE(dlg.Create());
}

// A derived map answers before its base, and the base's rows still answer the rest.
TEST(MessageMapTest, DerivedRowsComeFirstAndBaseRowsStillAnswer) {
  CScriptedDlg dlg([](CScriptedDlg&) {});
  ASSERT_TRUE(dlg.Create());
  dlg.m_changes.clear();
  dlg.Type(IDC_SECOND, L"1");
  dlg.Type(IDC_FIRST, L"1");
  dlg.Type(IDC_YEAR, L"1");
  EXPECT_EQ(dlg.m_nSecondOwn, 1);
  EXPECT_EQ(dlg.m_changes, (std::vector<UINT>{IDC_FIRST, IDC_YEAR}));

  // IDCANCEL is routed by CDialog's own map to the virtual OnCancel.
  SendMessageW(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_EQ(dlg.m_nCancel, 1);
  EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
}

}  // namespace
