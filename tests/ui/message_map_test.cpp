// The message map's rows: commands told their sender, notifications with their own header and
// result, plain window messages, each chained to the base class's map.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h: the up-down control.
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/wnd.h"
#include "test_support.h"

namespace {

constexpr UINT kFirstButton = 301;
constexpr UINT kSecondButton = 302;
constexpr UINT kUnroutedButton = 303;
constexpr UINT kSpin = 304;
constexpr UINT WM_ANSWERED = WM_APP + 10;       // the derived class's row takes it
constexpr UINT WM_BASE_ANSWERED = WM_APP + 11;  // only the base class has a row

// A window whose rows record what reached them.
class CRoutedBaseWnd : public CWnd {
 public:
  std::vector<std::wstring> m_calls;

 protected:
  LRESULT OnAnsweredInBase(WPARAM, LPARAM) {
    m_calls.push_back(L"base WM_ANSWERED");
    return 1;
  }
  LRESULT OnBaseAnswered(WPARAM wParam, LPARAM lParam) {
    m_calls.push_back(L"base WM_BASE_ANSWERED");
    return static_cast<LRESULT>(wParam + lParam);
  }

  DECLARE_MESSAGE_MAP()
};

const CommandRoute CRoutedBaseWnd::kRoutes[] = {
    OnMessage(WM_ANSWERED, &CRoutedBaseWnd::OnAnsweredInBase),
    OnMessage(WM_BASE_ANSWERED, &CRoutedBaseWnd::OnBaseAnswered),
};
const MessageMap CRoutedBaseWnd::kMessageMap{&CWnd::kMessageMap, kRoutes};

class CRoutedWnd : public CRoutedBaseWnd {
 public:
  LRESULT m_deltaPosResult = 0;
  std::vector<int> m_deltas;

  bool Create() {
    const wchar_t* className = AfxRegisterWndClass(0, nullptr, nullptr, nullptr);
    if (!CreateEx(0, className, L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr)) return false;
    AddChild(WC_BUTTONW, kFirstButton);
    AddChild(WC_BUTTONW, kSecondButton);
    AddChild(WC_BUTTONW, kUnroutedButton);
    const HWND spin = AddChild(UPDOWN_CLASSW, kSpin);
    SendMessageW(spin, UDM_SETRANGE32, 0, 10);
    SendMessageW(spin, UDM_SETPOS32, 0, 5);
    return true;
  }

 protected:
  void OnClicked(UINT id) { m_calls.push_back(L"clicked " + std::to_wstring(id)); }
  void OnDeltaPos(NMUPDOWN* change, LRESULT* pResult) {
    m_deltas.push_back(change->iDelta);
    *pResult = m_deltaPosResult;
  }
  LRESULT OnAnswered(WPARAM wParam, LPARAM) {
    m_calls.push_back(L"WM_ANSWERED");
    return static_cast<LRESULT>(wParam * 2);
  }
  // Leaves the text to the window's own procedure, which keeps it.
  LRESULT OnSetText(WPARAM, LPARAM) {
    m_calls.push_back(L"WM_SETTEXT");
    return Default();
  }

  DECLARE_MESSAGE_MAP()

 private:
  HWND AddChild(const wchar_t* className, UINT id) {
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, m_hWnd,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  }
};

const CommandRoute CRoutedWnd::kRoutes[] = {
    Command(BN_CLICKED, kFirstButton, &CRoutedWnd::OnClicked),
    Command(BN_CLICKED, kSecondButton, &CRoutedWnd::OnClicked),
    Notify(UDN_DELTAPOS, kSpin, &CRoutedWnd::OnDeltaPos),
    OnMessage(WM_ANSWERED, &CRoutedWnd::OnAnswered),
    OnMessage(WM_SETTEXT, &CRoutedWnd::OnSetText),
};
const MessageMap CRoutedWnd::kMessageMap{&CRoutedBaseWnd::kMessageMap, kRoutes};

class MessageMapRowsTest : public testing::Test {
 protected:
  void SetUp() override {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    ASSERT_TRUE(m_wnd.Create());
  }

  HWND Spin() const { return m_wnd.GetDlgItem(kSpin); }
  int SpinPosition() const { return static_cast<int>(SendMessageW(Spin(), UDM_GETPOS32, 0, 0)); }

  CRoutedWnd m_wnd;
};

TEST_F(MessageMapRowsTest, OneCommandHandlerIsToldWhichControlSentIt) {
  for (const UINT id : {kSecondButton, kUnroutedButton, kFirstButton}) {
    SendMessageW(m_wnd.GetDlgItem(static_cast<int>(id)), BM_CLICK, 0, 0);
  }
  EXPECT_EQ(m_wnd.m_calls,
            (std::vector<std::wstring>{L"clicked " + std::to_wstring(kSecondButton),
                                       L"clicked " + std::to_wstring(kFirstButton)}));
}

TEST_F(MessageMapRowsTest, NotificationRowGetsItsOwnHeaderAndItsResultReachesTheControl) {
  ClickUpDownArrow(Spin(), true);
  EXPECT_EQ(SpinPosition(), 6) << "a result of 0 lets the up-down move";

  m_wnd.m_deltaPosResult = TRUE;
  ClickUpDownArrow(Spin(), false);
  EXPECT_EQ(SpinPosition(), 6) << "a nonzero result stops it";
  EXPECT_EQ(m_wnd.m_deltas, (std::vector<int>{1, -1}));
}

TEST_F(MessageMapRowsTest, NotificationsWithoutARowAreNotHandled) {
  NMUPDOWN otherCode{{Spin(), kSpin, NM_CLICK}, 5, 1};
  NMUPDOWN otherControl{{Spin(), kSpin + 1, UDN_DELTAPOS}, 5, 1};
  for (NMUPDOWN* change : {&otherCode, &otherControl}) {
    EXPECT_EQ(
        SendMessageW(m_wnd.m_hWnd, WM_NOTIFY, change->hdr.idFrom, reinterpret_cast<LPARAM>(change)),
        0);
  }
  EXPECT_EQ(SendMessageW(m_wnd.m_hWnd, WM_NOTIFY, 0, 0), 0) << "no header";
  EXPECT_TRUE(m_wnd.m_deltas.empty());
}

// A message is answered by the derived class's row, else by the base's, and a row may leave it to
// the window's own procedure.
TEST_F(MessageMapRowsTest, MessageRowsAnswerBeforeTheBaseAndMayLeaveTheMessageToTheWindow) {
  EXPECT_EQ(SendMessageW(m_wnd.m_hWnd, WM_ANSWERED, 21, 0), 42);
  EXPECT_EQ(SendMessageW(m_wnd.m_hWnd, WM_BASE_ANSWERED, 40, 2), 42);
  SetWindowTextW(m_wnd.m_hWnd, L"kept");
  EXPECT_EQ(m_wnd.m_calls,
            (std::vector<std::wstring>{L"WM_ANSWERED", L"base WM_BASE_ANSWERED", L"WM_SETTEXT"}));
  EXPECT_EQ(TextOf(m_wnd.m_hWnd), L"kept");
}

}  // namespace
