// The launcher as a screen reader reads it in-process: the view's accessible client object and
// its twelve buttons, asked through oleacc as a reader asks, and the WinEvents the panel raises.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "msaa_reader.h"
#include "launcher_fixture.h"
#include "panel_geometry.h"

namespace {

using msaa::Child;
using msaa::IdOf;

constexpr long kPlain = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
constexpr long kCurrent = kPlain | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;
constexpr long kNone = -1;  // an empty answer
constexpr long kFailed = -2;

class ScreenReaderTest : public LauncherTest {
 protected:
  void SetUp() override {
    LauncherTest::SetUp();
    m_acc = msaa::ClientObject(m_view->m_hWnd);
    ASSERT_TRUE(m_acc);
  }
  void TearDown() override {
    m_acc.reset();
    LauncherTest::TearDown();
  }

  long Get(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long id) {
    VARIANT value{};
    return SUCCEEDED((m_acc.get()->*get)(Child(id), &value)) ? IdOf(value) : kFailed;
  }
  long Get(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT*)) {
    VARIANT value{};
    (m_acc.get()->*get)(&value);
    return IdOf(value);
  }
  long HitTest(POINT screen) {
    VARIANT child{};
    m_acc->accHitTest(screen.x, screen.y, &child);
    return IdOf(child);
  }
  RECT Location(long id) {
    long x = 0, y = 0, cx = 0, cy = 0;
    m_acc->accLocation(&x, &y, &cx, &cy, Child(id));
    return {x, y, x + cx, y + cy};
  }

  msaa::Apartment m_apartment;  // a reader's own, begun before the launcher starts
  msaa::Object m_acc;
};

TEST_F(ScreenReaderTest, PanelIsTwelveNamedPushButtons) {
  const wchar_t* const names[] = {L"المساحة", L"التاريخ", L"الملبوسات", L"السرعة",
                                  L"التوقيت", L"الطول",   L"الزمن",     L"الحرارة",
                                  L"الحجم",   L"الوزن",   L"نبذة عن",   L"خروج"};
  EXPECT_EQ(Get(&IAccessible::get_accRole, CHILDID_SELF), ROLE_SYSTEM_CLIENT);
  EXPECT_EQ(msaa::Text(m_acc.get(), &IAccessible::get_accName, CHILDID_SELF), L"Ralimet");
  long count = 0;
  EXPECT_EQ(m_acc->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 12);
  for (long id = 1; id <= 12; ++id) {
    EXPECT_EQ(msaa::Text(m_acc.get(), &IAccessible::get_accName, id), names[id - 1]) << id;
    EXPECT_EQ(msaa::Text(m_acc.get(), &IAccessible::get_accDefaultAction, id), L"اضغط") << id;
    EXPECT_EQ(Get(&IAccessible::get_accRole, id), ROLE_SYSTEM_PUSHBUTTON) << id;
    IDispatch* child = reinterpret_cast<IDispatch*>(1);
    EXPECT_EQ(m_acc->get_accChild(Child(id), &child), S_FALSE) << id << ": a simple element";
    EXPECT_EQ(child, nullptr) << id;
  }
}

TEST_F(ScreenReaderTest, LocationAndHitTestFollowThePanel) {
  POINT origin{0, 0};
  ClientToScreen(m_view->m_hWnd, &origin);
  for (int n = 0; n < 12; ++n) {
    RECT face = panel::ButtonRect(n);
    OffsetRect(&face, origin.x, origin.y);
    const RECT at = Location(n + 1);
    EXPECT_TRUE(EqualRect(&at, &face)) << n << ": " << at.left << "," << at.top;
    EXPECT_EQ(HitTest({at.left, at.top}), n + 1) << n << ": the top-left corner is inside";
  }
  EXPECT_EQ(HitTest({origin.x + 145, origin.y + 40}), CHILDID_SELF) << "the title band";
  EXPECT_EQ(HitTest({origin.x + 145, origin.y + 90}), 6) << "a far edge belongs to the next";
  EXPECT_EQ(HitTest({origin.x - 5, origin.y}), kNone) << "left of the panel";

  // Mirrored, the client area runs from right to left on the screen.
  const HWND view = m_view->m_hWnd;
  SetWindowLongPtrW(view, GWL_EXSTYLE, GetWindowLongPtrW(view, GWL_EXSTYLE) | WS_EX_LAYOUTRTL);
  RECT client;
  GetClientRect(view, &client);
  const RECT at = Location(1);
  EXPECT_EQ(at.left, origin.x + client.right - 145);
  EXPECT_EQ(at.right - at.left, 135);
  EXPECT_EQ(HitTest({at.left + 1, at.top + 1}), 1);
}

TEST_F(ScreenReaderTest, StatesFollowTheKeyboardAndTheMouse) {
  const struct {
    const char* step;
    std::function<void()> act;
    std::vector<std::pair<long, long>> states;  // child id, state
  } steps[] = {
      {"start", [] {}, {{CHILDID_SELF, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED}}},
      {"Left", [&] { KeyUp(VK_LEFT); },
       {{CHILDID_SELF, STATE_SYSTEM_FOCUSABLE}, {1, kCurrent | STATE_SYSTEM_HOTTRACKED}}},
      {"onto length", [&] { MoveTo(kLengthCentre); },
       {{1, kPlain}, {6, kCurrent | STATE_SYSTEM_HOTTRACKED}}},
      {"press", [&] { Press(kLengthCentre); }, {{6, kCurrent | STATE_SYSTEM_PRESSED}}},
      {"press dropped", [&] { MoveTo(kOffEveryButton); }, {{6, kCurrent}}},
      {"focus gone", [] { SetFocus(nullptr); }, {{6, kPlain}}},
      {"modal window open", [&] { EnableWindow(m_frame->m_hWnd, FALSE); },
       {{6, kPlain | STATE_SYSTEM_UNAVAILABLE}}},
  };
  for (const auto& s : steps) {
    s.act();
    for (const auto& [id, state] : s.states) {
      EXPECT_EQ(Get(&IAccessible::get_accState, id), state) << s.step << ", child " << id;
    }
  }
  EnableWindow(m_frame->m_hWnd, TRUE);
}

TEST_F(ScreenReaderTest, NavigatesInIndexOrderAndByTheFaces) {
  const struct {
    long from, dir, to;
  } cases[] = {
      {CHILDID_SELF, NAVDIR_FIRSTCHILD, 1}, {CHILDID_SELF, NAVDIR_LASTCHILD, 12},
      {3, NAVDIR_FIRSTCHILD, kNone},        {5, NAVDIR_NEXT, 6},
      {12, NAVDIR_NEXT, kNone},             {1, NAVDIR_PREVIOUS, kNone},
      {11, NAVDIR_PREVIOUS, 10},            {2, NAVDIR_UP, 1},
      {1, NAVDIR_UP, kNone},                {5, NAVDIR_DOWN, 11},
      {10, NAVDIR_DOWN, 12},                {11, NAVDIR_UP, 5},
      {12, NAVDIR_UP, 10},                  {1, NAVDIR_RIGHT, 6},
      {7, NAVDIR_LEFT, 2},                  {1, NAVDIR_LEFT, kNone},
      {11, NAVDIR_RIGHT, 12},               {12, NAVDIR_RIGHT, kNone},
  };
  for (const auto& c : cases) {
    VARIANT end{};
    m_acc->accNavigate(c.dir, Child(c.from), &end);
    EXPECT_EQ(IdOf(end), c.to) << "from " << c.from << " direction " << c.dir;
  }
}

TEST_F(ScreenReaderTest, FocusAndSelectionAreTheCurrentButton) {
  EXPECT_EQ(Get(&IAccessible::get_accFocus), CHILDID_SELF) << "no current button yet";
  EXPECT_EQ(Get(&IAccessible::get_accSelection), kNone);
  EXPECT_EQ(m_acc->accSelect(SELFLAG_TAKEFOCUS, Child(4)), S_OK);
  EXPECT_EQ(State(3), CPanelButton::kHighlighted);
  EXPECT_EQ(Get(&IAccessible::get_accFocus), 4);
  EXPECT_EQ(m_acc->accSelect(SELFLAG_TAKESELECTION, Child(9)), S_OK);
  EXPECT_EQ(State(3), CPanelButton::kNormal);
  EXPECT_EQ(Get(&IAccessible::get_accSelection), 9);
  EXPECT_EQ(m_acc->accSelect(SELFLAG_ADDSELECTION, Child(2)), E_INVALIDARG) << "one at a time";
  EXPECT_EQ(m_view->GetHot(), 8);
  SetFocus(nullptr);
  EXPECT_EQ(Get(&IAccessible::get_accFocus), kNone);
  EXPECT_EQ(Get(&IAccessible::get_accSelection), kNone);
}

TEST_F(ScreenReaderTest, DefaultActionClicksTheButtonOnceTheCallHasReturned) {
  SoundRecorder sounds;
  AboutWatcher about;
  EXPECT_EQ(m_acc->accDoDefaultAction(Child(11)), S_OK);
  EXPECT_EQ(about.opened(), 0) << "the call returns before the window opens";
  PumpMessages();
  EXPECT_EQ(about.opened(), 1);
  EXPECT_EQ(m_view->GetHot(), 10);
  EXPECT_EQ(sounds.plays().size(), 1u) << "pressed as a highlighted button, it clicks";

  EnableWindow(m_frame->m_hWnd, FALSE);  // as while a modal window is open
  m_acc->accDoDefaultAction(Child(11));
  PumpMessages();
  EnableWindow(m_frame->m_hWnd, TRUE);
  EXPECT_EQ(about.opened(), 1) << "no second window over a modal one";

  EXPECT_EQ(m_acc->accDoDefaultAction(Child(12)), S_OK);
  EXPECT_EQ(PumpMessages(), 1) << "exit";
}

TEST_F(ScreenReaderTest, BadChildIdsAreRefused) {
  VARIANT text{};
  text.vt = VT_BSTR;
  for (const VARIANT& bad : {Child(-1), Child(13), Child(0x7FFFFFFF), VARIANT{}, text}) {
    VARIANT out{};
    long x = 0;
    EXPECT_EQ(m_acc->get_accState(bad, &out), E_INVALIDARG);
    EXPECT_EQ(m_acc->accLocation(&x, &x, &x, &x, bad), E_INVALIDARG);
    EXPECT_EQ(m_acc->accNavigate(NAVDIR_NEXT, bad, &out), E_INVALIDARG);
    EXPECT_EQ(m_acc->accSelect(SELFLAG_TAKEFOCUS, bad), E_INVALIDARG);
    EXPECT_EQ(m_acc->accDoDefaultAction(bad), E_INVALIDARG);
    EXPECT_EQ(out.vt, VT_EMPTY);
  }
  EXPECT_EQ(m_acc->accDoDefaultAction(Child(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(PumpMessages(), -1) << "nothing was pressed";
}

TEST_F(ScreenReaderTest, AReaderStillHoldingThePanelGetsAnErrorOnceItCloses) {
  Stop();
  long count = 0;
  EXPECT_EQ(m_acc->get_accChildCount(&count), RPC_E_DISCONNECTED);
  EXPECT_EQ(Get(&IAccessible::get_accRole, 1), kFailed);
}

std::vector<std::pair<DWORD, long>> g_events;  // event, child id

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD,
                          DWORD) {
  if (object == OBJID_CLIENT) g_events.emplace_back(event, child);
}

// Out-of-context events arrive as this thread pumps: pumps until none has come for 100 ms.
void PumpEvents() {
  for (std::size_t seen = SIZE_MAX; seen != g_events.size();) {
    seen = g_events.size();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    PumpMessages();
  }
}

TEST_F(ScreenReaderTest, ArrowKeyAndFocusTellTheReaderWhichButton) {
  g_events.clear();
  const HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_STATECHANGE, nullptr, RecordEvent,
                      GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  KeyUp(VK_LEFT);
  PumpEvents();
  const std::vector<std::pair<DWORD, long>> afterArrow = {
      {EVENT_OBJECT_STATECHANGE, 1}, {EVENT_OBJECT_FOCUS, 1}, {EVENT_OBJECT_SELECTION, 1}};
  EXPECT_EQ(g_events, afterArrow);
  SetFocus(nullptr);
  SetFocus(m_view->m_hWnd);
  PumpEvents();
  UnhookWinEvent(hook);
  ASSERT_FALSE(g_events.empty());
  EXPECT_EQ(g_events.back(), std::make_pair(DWORD{EVENT_OBJECT_FOCUS}, 1L)) << "focus back";
}

TEST_F(LauncherTest, ComBeginsAtTheFirstQuestionFromAReader) {
  // S_OK: this thread had no COM yet, so the launcher started without it.
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  CoUninitialize();
  long count = 0;
  EXPECT_EQ(msaa::ClientObject(m_view->m_hWnd)->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 12);
  Stop();
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK) << "and ends with the view";
  CoUninitialize();
}

}  // namespace
