// The world time window on its real template, driven through its real controls: the up-down
// controls step under their arrow keys, the lists under theirs. The system time, the zone, the
// regional setting and the font search are the test's own.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/ralimet_app.h"
#include "dialog_fixture.h"
#include "fake_system.h"
#include "framework/app.h"
#include "msaa_reader.h"
#include "platform/platform.h"
#include "res/resource.h"
#include "settings_key.h"
#include "test_support.h"
#include "worldtime/place_zone.h"
#include "worldtime/world_time_dlg.h"

namespace {

const std::wstring kTimeKey = SettingsKey(CWorldTimeDlg::kSection);
constexpr int kKuwait = 85;
constexpr int kSaudiArabia = 51;

// Counts the presses of one key (the subclass's id) that reach a control while it is watched.
int g_keyDowns = 0;
LRESULT CALLBACK CountKeyDowns(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR vk,
                               DWORD_PTR) {
  if (message == WM_KEYDOWN && wParam == vk) ++g_keyDowns;
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

using Clocks = std::array<std::wstring, 3>;  // local, first place, second place

// Windows made from what the fake system says when they open.
class WorldTimeTest : public ModelessDialogTest<CWorldTimeDlg> {
 protected:
  void SetUp() override {
    ModelessDialogTest::SetUp();
    m_app.SetRegistryKey(CRalimetApp::kRegistryKey);
    m_app.m_strProfileName = CRalimetApp::kProfileName;
    RegDeleteKeyW(HKEY_CURRENT_USER, kTimeKey.c_str());
  }

  void TearDown() override {
    ModelessDialogTest::TearDown();
    RegDeleteKeyW(HKEY_CURRENT_USER, kTimeKey.c_str());
  }

  Clocks Shown() const {
    return {TextOf(Item(IDC_WT_LOCAL_TIME)), TextOf(Item(IDC_WT_FIRST_TIME)),
            TextOf(Item(IDC_WT_SECOND_TIME))};
  }
  int Selection(int listId) const {
    return static_cast<int>(SendMessageW(Item(listId), CB_GETCURSEL, 0, 0));
  }

  // The computer's clock at hour:minute, in a zone bias minutes behind UTC.
  static void ComputerAt(WORD hour, WORD minute, LONG bias = -180,
                         DWORD state = TIME_ZONE_ID_UNKNOWN) {
    g_system.local.wHour = hour;
    g_system.local.wMinute = minute;
    g_system.bias = bias;
    g_system.zoneState = state;
  }

  void Click(int buttonId) { SendMessageW(Item(buttonId), BM_CLICK, 0, 0); }
  // A key pressed and released as the window's own modal loop hands it on, through the dialog
  // manager; answers how many presses reached the control that had the focus.
  int DialogKey(UINT vk) {
    const HWND focus = GetFocus();
    g_keyDowns = 0;
    SetWindowSubclass(focus, CountKeyDowns, vk, 0);
    MSG down{focus, WM_KEYDOWN, vk, 1, 0, {}};
    IsDialogMessageW(m_dlg->m_hWnd, &down);
    MSG up{GetFocus(), WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001), 0, {}};
    IsDialogMessageW(m_dlg->m_hWnd, &up);
    RemoveWindowSubclass(focus, CountKeyDowns, vk);
    return g_keyDowns;
  }

  static void Store(const wchar_t* entry, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kTimeKey.c_str(), entry, type, data, size),
              ERROR_SUCCESS)
        << testing::PrintToString(entry);
  }
  static void StoreRow(const wchar_t* entry, DWORD row) {
    Store(entry, REG_DWORD, &row, sizeof row);
  }
  // The stored row, when it is there as a REG_DWORD.
  static std::optional<int> StoredRow(const wchar_t* entry) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kTimeKey.c_str(), entry, RRF_RT_ANY, &type, &value,
                     &size) != ERROR_SUCCESS ||
        type != REG_DWORD) {
      return std::nullopt;
    }
    return static_cast<int>(value);
  }

  FakeSystemInPlace m_system;
  CWinApp m_app;
};

std::wstring ListText(HWND list, int row) {
  const auto length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0);
  if (length < 0) return L"<none>";
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

TEST_F(WorldTimeTest, OpensAtTheSystemTimeWithTheDefaultPlacesAndRightAlignedClocks) {
  Open();
  EXPECT_EQ(TextOf(m_dlg->m_hWnd), L"التوقيت");
  EXPECT_EQ(Shown(), (Clocks{L"14:07", L"14:07", L"14:07"}));
  EXPECT_EQ(Selection(IDC_WT_FIRST_PLACE), kKuwait);
  EXPECT_EQ(Selection(IDC_WT_SECOND_PLACE), kSaudiArabia);
  EXPECT_EQ(SendMessageW(Item(IDC_WT_24_HOUR), BM_GETCHECK, 0, 0), BST_CHECKED);
  for (const int listId : {IDC_WT_FIRST_PLACE, IDC_WT_SECOND_PLACE}) {
    const HWND list = Item(listId);
    EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 118) << listId;
    // Rows in table order, stray spaces kept.
    EXPECT_EQ(ListText(list, 0), L"إثيوبيا") << listId;
    EXPECT_EQ(ListText(list, 2), L"أستراليا ") << listId;
    EXPECT_EQ(ListText(list, 39), L" جرينادا") << listId;
    EXPECT_EQ(ListText(list, kKuwait), L"الكويت") << listId;
    EXPECT_EQ(ListText(list, 117), L"اليونان") << listId;
  }
  // Nothing is written until the user picks a place.
  EXPECT_EQ(StoredRow(CWorldTimeDlg::kFirstPlaceEntry), std::nullopt);
  // Like every field of the program, the clocks are right-aligned and read right to left.
  for (const int box : {IDC_WT_LOCAL_TIME, IDC_WT_FIRST_TIME, IDC_WT_SECOND_TIME}) {
    const LONG_PTR style = GetWindowLongPtrW(Item(box), GWL_STYLE);
    EXPECT_EQ(style & (ES_CENTER | ES_RIGHT | ES_READONLY), ES_RIGHT | ES_READONLY) << box;
    EXPECT_EQ(GetWindowLongPtrW(Item(box), GWL_EXSTYLE) & (WS_EX_RIGHT | WS_EX_RTLREADING),
              WS_EX_RIGHT | WS_EX_RTLREADING)
        << box;
  }
}

TEST_F(WorldTimeTest, TwelveHourClocksAndTheTwentyFourHourBox) {
  g_system.timeFormat = L"0";
  Open();
  EXPECT_EQ(SendMessageW(Item(IDC_WT_24_HOUR), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  struct Case {
    WORD hour, minute;
    const wchar_t* shown;
  };
  const Case cases[] = {
      {13, 5, L"01:05 P"}, {9, 30, L"09:30 A"},  {0, 15, L"12:15 A"},
      {12, 0, L"12:00 P"}, {23, 59, L"11:59 P"}, {11, 59, L"11:59 A"},
  };
  for (const Case& c : cases) {
    ComputerAt(c.hour, c.minute);
    Click(IDC_WT_LOCAL_NOW);
    EXPECT_EQ(Shown(), (Clocks{c.shown, c.shown, c.shown})) << c.hour << ":" << c.minute;
  }

  Click(IDC_WT_24_HOUR);
  EXPECT_EQ(Shown(), (Clocks{L"11:59", L"11:59", L"11:59"}));
  Click(IDC_WT_24_HOUR);
  EXPECT_EQ(Shown(), (Clocks{L"11:59 A", L"11:59 A", L"11:59 A"}));

  // The choice is not kept: the next opening starts from the regional setting again.
  Click(IDC_WT_24_HOUR);
  Open();
  EXPECT_EQ(SendMessageW(Item(IDC_WT_24_HOUR), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  g_system.timeFormat = L"";
  Open();
  EXPECT_EQ(SendMessageW(Item(IDC_WT_24_HOUR), BM_GETCHECK, 0, 0), BST_UNCHECKED)
      << "an unreadable setting means 12-hour";
}

TEST_F(WorldTimeTest, LocalSpinButtonsWrapWithoutCarrying) {
  struct Case {
    const char* name;
    WORD hour, minute;
    int spin;
    UINT key;
    const wchar_t* shown;
  };
  const Case cases[] = {
      {"hour up past midnight", 23, 30, IDC_WT_LOCAL_HOUR_SPIN, VK_UP, L"00:30"},
      {"minute up past the hour", 23, 59, IDC_WT_LOCAL_MINUTE_SPIN, VK_UP, L"23:00"},
      {"hour down past midnight", 0, 0, IDC_WT_LOCAL_HOUR_SPIN, VK_DOWN, L"23:00"},
      {"minute down past the hour", 0, 0, IDC_WT_LOCAL_MINUTE_SPIN, VK_DOWN, L"00:59"},
  };
  for (const Case& c : cases) {
    ComputerAt(c.hour, c.minute);
    Open();
    PressKey(Item(c.spin), c.key);
    // The places share the computer's +3:00, so all three clocks read alike.
    EXPECT_EQ(Shown(), (Clocks{c.shown, c.shown, c.shown})) << c.name;
  }
}

TEST_F(WorldTimeTest, SteppingAPlaceMovesTheOtherTwoClocks) {
  StoreRow(CWorldTimeDlg::kFirstPlaceEntry, 10);    // United Kingdom, 0:00
  StoreRow(CWorldTimeDlg::kSecondPlaceEntry, 109);  // India, +5:30
  ComputerAt(12, 0);
  Open();
  EXPECT_EQ(Shown(), (Clocks{L"12:00", L"09:00", L"14:30"}));

  PressKey(Item(IDC_WT_FIRST_HOUR_SPIN), VK_UP);
  EXPECT_EQ(Shown(), (Clocks{L"13:00", L"10:00", L"15:30"}));
  PressKey(Item(IDC_WT_SECOND_MINUTE_SPIN), VK_DOWN);
  EXPECT_EQ(Shown(), (Clocks{L"12:59", L"09:59", L"15:29"}));
  PressKey(Item(IDC_WT_SECOND_HOUR_SPIN), VK_DOWN);
  EXPECT_EQ(Shown(), (Clocks{L"11:59", L"08:59", L"14:29"}));
  PressKey(Item(IDC_WT_FIRST_MINUTE_SPIN), VK_UP);
  EXPECT_EQ(Shown(), (Clocks{L"11:00", L"08:00", L"13:30"})) << "minutes wrap within the hour";

  // Back to the system time in all three.
  Click(IDC_WT_LOCAL_NOW);
  EXPECT_EQ(Shown(), (Clocks{L"12:00", L"09:00", L"14:30"}));
}

TEST_F(WorldTimeTest, IndiaAtTenPastOneIsTwentyToElevenInKuwait) {
  StoreRow(CWorldTimeDlg::kFirstPlaceEntry, 109);  // India, +5:30
  StoreRow(CWorldTimeDlg::kSecondPlaceEntry, kKuwait);
  ComputerAt(1, 10, -330);  // the computer too is at +5:30
  Open();
  EXPECT_EQ(m_dlg->GetLocalOffset(), 105);
  EXPECT_EQ(Shown(), (Clocks{L"01:10", L"01:10", L"22:40"}));
}

TEST_F(WorldTimeTest, PickingAPlaceMovesOnlyItsClockAndIsStoredAtOnce) {
  Open();
  // Two rows down from Kuwait: Lebanon, +2:00.
  PressKey(Item(IDC_WT_FIRST_PLACE), VK_DOWN);
  PressKey(Item(IDC_WT_FIRST_PLACE), VK_DOWN);
  EXPECT_EQ(Selection(IDC_WT_FIRST_PLACE), 87);
  EXPECT_EQ(Shown(), (Clocks{L"14:07", L"13:07", L"14:07"}));
  EXPECT_EQ(StoredRow(CWorldTimeDlg::kFirstPlaceEntry), 87);

  // One row up from Saudi Arabia: Sri Lanka, +5:30, carried from the first place.
  PressKey(Item(IDC_WT_SECOND_PLACE), VK_UP);
  EXPECT_EQ(Selection(IDC_WT_SECOND_PLACE), 50);
  EXPECT_EQ(Shown(), (Clocks{L"14:07", L"13:07", L"16:37"}));
  EXPECT_EQ(StoredRow(CWorldTimeDlg::kSecondPlaceEntry), 50);

  ChooseListRow(Item(IDC_WT_FIRST_PLACE), 3);  // Afghanistan, +4:30
  EXPECT_EQ(Shown(), (Clocks{L"14:07", L"15:37", L"16:37"})) << "carried from the second place";
  EXPECT_EQ(StoredRow(CWorldTimeDlg::kFirstPlaceEntry), 3);

  Open();
  EXPECT_EQ(Selection(IDC_WT_FIRST_PLACE), 3);
  EXPECT_EQ(Selection(IDC_WT_SECOND_PLACE), 50);
  EXPECT_EQ(Shown(), (Clocks{L"14:07", L"15:37", L"16:37"}));
}

// Keys only, as the dialog manager hands them on in the window's own modal loop, which takes the
// arrow keys for moving the focus unless the focused control asks for them: Tab onto a clock,
// Right to its minutes, Up steps them, Left back to its hours; its time box hands the focus to
// the hours, whose Up steps the hour. Tab and Shift+Tab from the hours, or from the minutes, move
// on to the next and the previous control, never back into the box.
TEST_F(WorldTimeTest, KeysMoveThroughEachClock) {
  struct Case {
    const char* clock;
    int before, timeBox, hourSpin, minuteSpin, after;
  };
  const Case cases[] = {
      {"local", IDC_WT_LOCAL_NOW, IDC_WT_LOCAL_TIME, IDC_WT_LOCAL_HOUR_SPIN,
       IDC_WT_LOCAL_MINUTE_SPIN, IDC_WT_24_HOUR},
      {"first place", IDC_WT_24_HOUR, IDC_WT_FIRST_TIME, IDC_WT_FIRST_HOUR_SPIN,
       IDC_WT_FIRST_MINUTE_SPIN, IDC_WT_FIRST_PLACE},
      {"second place", IDC_WT_FIRST_PLACE, IDC_WT_SECOND_TIME, IDC_WT_SECOND_HOUR_SPIN,
       IDC_WT_SECOND_MINUTE_SPIN, IDC_WT_SECOND_PLACE},
  };
  const auto tab = [this](bool shift) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    EXPECT_EQ(DialogKey(VK_TAB), 0) << "the dialog manager keeps the Tab for itself";
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  };
  StoreRow(CWorldTimeDlg::kFirstPlaceEntry, 7);  // United Arab Emirates, +4:00
  Open();
  ShowWindow(m_dlg->m_hWnd, SW_SHOW);
  SetForegroundWindow(m_dlg->m_hWnd);
  for (const Case& c : cases) {
    Click(IDC_WT_LOCAL_NOW);
    SetFocus(Item(c.before));
    DialogKey(VK_TAB);
    ASSERT_EQ(GetFocus(), Item(c.hourSpin)) << c.clock << ": Tab";
    DialogKey(VK_RIGHT);
    EXPECT_EQ(GetFocus(), Item(c.minuteSpin)) << c.clock << ": Right";
    DialogKey(VK_UP);
    EXPECT_EQ(Shown(), (Clocks{L"14:08", L"15:08", L"14:08"})) << c.clock << ": Up";
    DialogKey(VK_RIGHT);
    EXPECT_EQ(GetFocus(), Item(c.minuteSpin)) << c.clock << ": Right from the minutes";
    DialogKey(VK_LEFT);
    EXPECT_EQ(GetFocus(), Item(c.hourSpin)) << c.clock << ": Left";
    DialogKey(VK_LEFT);
    EXPECT_EQ(GetFocus(), Item(c.hourSpin)) << c.clock << ": Left from the hours";
    DialogKey(VK_DOWN);
    EXPECT_EQ(Shown(), (Clocks{L"13:08", L"14:08", L"13:08"})) << c.clock << ": Down";
    SetFocus(Item(c.timeBox));
    ASSERT_EQ(GetFocus(), Item(c.hourSpin)) << c.clock << ": from the time box";
    EXPECT_EQ(DialogKey(VK_UP), 1) << c.clock << ": the dialog manager hands the key to the spin";
    EXPECT_EQ(GetFocus(), Item(c.hourSpin)) << c.clock << ": the focus stays";
    EXPECT_EQ(Shown(), (Clocks{L"14:08", L"15:08", L"14:08"})) << c.clock << ": Up on the hours";
    for (const int from : {c.timeBox, c.minuteSpin}) {
      for (const bool shift : {true, false}) {
        SetFocus(Item(from));
        tab(shift);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), shift ? c.before : c.after)
            << c.clock << ", from " << from << (shift ? ": Shift+Tab" : ": Tab");
      }
    }
  }
}

TEST_F(WorldTimeTest, ClickOnASpinArrowStepsItsClock) {
  Open();
  ShowWindow(m_dlg->m_hWnd, SW_SHOW);
  const HWND spin = Item(IDC_WT_LOCAL_MINUTE_SPIN);
  ClickUpDownArrow(spin, true);
  EXPECT_EQ(Shown(), (Clocks{L"14:08", L"14:08", L"14:08"})) << "upper arrow";
  ClickUpDownArrow(spin, false);
  ClickUpDownArrow(spin, false);
  EXPECT_EQ(Shown(), (Clocks{L"14:06", L"14:06", L"14:06"})) << "lower arrow";
}

template <class T>
std::vector<BYTE> Bytes(const T& value) {
  const auto* bytes = reinterpret_cast<const BYTE*>(&value);
  return {bytes, bytes + sizeof value};
}

TEST_F(WorldTimeTest, StoredValuesThatAreNotRowsNeverBreakTheWindow) {
  // At +5:30 and 10:00 local, Kuwait and Saudi Arabia read 07:30 and Greece (the last row)
  // 06:30; a list without a selection reads the local time.
  ComputerAt(10, 0, -330);
  struct Case {
    const char* name;
    DWORD type;               // REG_NONE: nothing stored
    std::vector<BYTE> value;  // stored as both places
    int first, second;        // the rows selected
    const wchar_t* shown;     // by both places' clocks
  };
  const Case cases[] = {
      {"missing", REG_NONE, {}, kKuwait, kSaudiArabia, L"07:30"},
      {"row 500", REG_DWORD, Bytes(DWORD{500}), -1, -1, L"10:00"},
      {"row 118", REG_DWORD, Bytes(DWORD{118}), -1, -1, L"10:00"},
      {"negative", REG_DWORD, Bytes(static_cast<DWORD>(-3)), -1, -1, L"10:00"},
      {"most negative", REG_DWORD, Bytes(DWORD{0x80000000}), -1, -1, L"10:00"},
      {"largest", REG_DWORD, Bytes(DWORD{0x7FFFFFFF}), -1, -1, L"10:00"},
      {"last row", REG_DWORD, Bytes(DWORD{117}), 117, 117, L"06:30"},
      {"string", REG_SZ, Bytes(L"3"), kKuwait, kSaudiArabia, L"07:30"},
      {"empty string", REG_SZ, Bytes(L""), kKuwait, kSaudiArabia, L"07:30"},
      {"eight bytes", REG_QWORD, Bytes(ULONGLONG{3}), kKuwait, kSaudiArabia, L"07:30"},
      {"eight bytes, low half huge", REG_QWORD, Bytes(ULONGLONG{0xFFFFFFFF}), kKuwait, kSaudiArabia,
       L"07:30"},
      {"a DWORD of eight bytes", REG_DWORD, Bytes(ULONGLONG{3}), kKuwait, kSaudiArabia, L"07:30"},
      {"a DWORD of two bytes", REG_DWORD, Bytes(WORD{3}), kKuwait, kSaudiArabia, L"07:30"},
      {"a DWORD of no bytes", REG_DWORD, {}, kKuwait, kSaudiArabia, L"07:30"},
      {"big-endian", REG_DWORD_BIG_ENDIAN, {0, 0, 0, 3}, kKuwait, kSaudiArabia, L"07:30"},
      {"binary", REG_BINARY, Bytes(DWORD{3}), kKuwait, kSaudiArabia, L"07:30"},
  };
  for (const Case& c : cases) {
    RegDeleteKeyW(HKEY_CURRENT_USER, kTimeKey.c_str());
    if (c.type != REG_NONE) {
      for (const wchar_t* entry :
           {CWorldTimeDlg::kFirstPlaceEntry, CWorldTimeDlg::kSecondPlaceEntry}) {
        Store(entry, c.type, c.value.data(), static_cast<DWORD>(c.value.size()));
      }
    }
    Open();
    EXPECT_EQ(Selection(IDC_WT_FIRST_PLACE), c.first) << c.name;
    EXPECT_EQ(Selection(IDC_WT_SECOND_PLACE), c.second) << c.name;
    EXPECT_EQ(Shown(), (Clocks{L"10:00", c.shown, c.shown})) << c.name;
  }
}

// The second list without a place: its clock reads and steps as the computer's own zone, and a
// screen reader names it after the list until a place is chosen, then after its place.
TEST_F(WorldTimeTest, AClockWithNoPlaceGoesByTheComputerAndReadsAsItsList) {
  const auto name = [&](int id) {
    return msaa::Text(msaa::ClientObject(Item(id)).get(), &IAccessible::get_accName, CHILDID_SELF);
  };
  ComputerAt(10, 0, -330);
  StoreRow(CWorldTimeDlg::kSecondPlaceEntry, 500);
  Open();
  EXPECT_EQ(Selection(IDC_WT_SECOND_PLACE), -1);
  EXPECT_EQ(Shown(), (Clocks{L"10:00", L"07:30", L"10:00"}));
  PressKey(Item(IDC_WT_SECOND_HOUR_SPIN), VK_UP);
  EXPECT_EQ(Shown(), (Clocks{L"11:00", L"08:30", L"11:00"}));
  EXPECT_EQ(name(IDC_WT_FIRST_TIME), L"توقيت الكويت");
  EXPECT_EQ(name(IDC_WT_SECOND_TIME), L"توقيت البلد الثاني");
  EXPECT_EQ(name(IDC_WT_SECOND_MINUTE_SPIN), L"دقيقة توقيت البلد الثاني");
  SendMessageW(Item(IDC_WT_SECOND_PLACE), CB_SETCURSEL, 1, 0);
  PressKey(Item(IDC_WT_SECOND_PLACE), VK_DOWN);
  ASSERT_EQ(Selection(IDC_WT_SECOND_PLACE), 2);
  EXPECT_EQ(name(IDC_WT_SECOND_TIME), L"توقيت أستراليا") << "without the space its row ends with";
  EXPECT_EQ(name(IDC_WT_SECOND_HOUR_SPIN), L"ساعة توقيت أستراليا");
}

// Zones as the system's zone data holds them for 2026.
SYSTEMTIME Change(WORD month, WORD week, WORD hour, WORD minute = 0) {
  return {0, month, 0, week, hour, minute, 0, 0};  // the week-th Sunday, 5 the last
}
TIME_ZONE_INFORMATION Zone(LONG bias, SYSTEMTIME standard = {}, SYSTEMTIME daylight = {}) {
  TIME_ZONE_INFORMATION zone{};
  zone.Bias = bias;
  zone.StandardDate = standard;
  zone.DaylightDate = daylight;
  zone.DaylightBias = standard.wMonth ? -60 : 0;
  return zone;
}
const NamedZone kRomance = {L"Romance Standard Time", Zone(-60, Change(10, 5, 3), Change(3, 5, 2))};
const NamedZone kGmt = {L"GMT Standard Time", Zone(0, Change(10, 5, 2), Change(3, 5, 1))};
const NamedZone kAusEastern = {L"AUS Eastern Standard Time",
                               Zone(-600, Change(4, 1, 3), Change(10, 1, 2))};
const NamedZone kEastern = {L"Eastern Standard Time", Zone(300, Change(11, 1, 2), Change(3, 2, 2))};
const NamedZone kArab = {L"Arab Standard Time", Zone(-180)};
const NamedZone kNewZealandZone = {L"New Zealand Standard Time",
                                   Zone(-720, Change(4, 1, 3), Change(9, 5, 2))};

constexpr int kFrance = 68;
constexpr int kUnitedKingdom = 10;
constexpr int kAustralia = 2;
constexpr int kNewYork = 108;
constexpr int kNewZealand = 107;

SYSTEMTIME Noon(WORD month) {
  return {2026, month, 0, 15, 12, 0, 0, 0};
}

// The computer in Paris, Sydney or Kuwait, at noon UTC on 15 July and 15 January 2026, in its
// daylight saving or not: its own place shows the local clock's time, the other place its time in
// force (the tz database's). A computer whose zone cannot be read is taken to be at UTC.
TEST_F(WorldTimeTest, PlacesShowTheirTimeInForceDaylightSavingIncluded) {
  struct Case {
    const char* name;
    WORD month;
    DWORD state;
    LONG bias;
    WORD localHour;
    int ownPlace, otherPlace;
    const wchar_t* other;
  };
  const Case cases[] = {
      {"Paris in July", 7, TIME_ZONE_ID_DAYLIGHT, -60, 14, kFrance, kNewYork, L"08:00"},
      {"Paris in January", 1, TIME_ZONE_ID_STANDARD, -60, 13, kFrance, kNewYork, L"07:00"},
      {"Sydney in July", 7, TIME_ZONE_ID_STANDARD, -600, 22, kAustralia, kUnitedKingdom, L"13:00"},
      {"Sydney in January", 1, TIME_ZONE_ID_DAYLIGHT, -600, 23, kAustralia, kUnitedKingdom,
       L"12:00"},
      {"Kuwait in July", 7, TIME_ZONE_ID_UNKNOWN, -180, 15, kKuwait, kFrance, L"14:00"},
      {"Kuwait in January", 1, TIME_ZONE_ID_UNKNOWN, -180, 15, kKuwait, kFrance, L"13:00"},
      {"an unreadable zone: UTC", 1, TIME_ZONE_ID_INVALID, -180, 12, kUnitedKingdom, kFrance,
       L"13:00"},
  };
  for (const Case& c : cases) {
    g_system.zones = {kRomance, kGmt, kAusEastern, kEastern, kArab};
    g_system.utc = Noon(c.month);
    ComputerAt(c.localHour, 0, c.bias, c.state);
    StoreRow(CWorldTimeDlg::kFirstPlaceEntry, static_cast<DWORD>(c.ownPlace));
    StoreRow(CWorldTimeDlg::kSecondPlaceEntry, static_cast<DWORD>(c.otherPlace));
    Open();
    const std::wstring local = std::to_wstring(c.localHour) + L":00";
    EXPECT_EQ(Shown(), (Clocks{local, local, c.other})) << c.name;
  }
}

// A place picked takes its zone's offset at that moment; where the system lacks the zone, or its
// data makes no sense, the place keeps its standard offset.
TEST_F(WorldTimeTest, APickedPlaceTakesItsOffsetNow) {
  g_system.zones = {kRomance, kGmt, kEastern};
  g_system.utc = Noon(1);
  ComputerAt(13, 0, -60, TIME_ZONE_ID_STANDARD);
  StoreRow(CWorldTimeDlg::kFirstPlaceEntry, kFrance);
  Open();
  EXPECT_EQ(Shown(), (Clocks{L"13:00", L"13:00", L"15:00"})) << "Saudi Arabia, by its row";

  ChooseListRow(Item(IDC_WT_SECOND_PLACE), kNewYork);
  EXPECT_EQ(Shown(), (Clocks{L"13:00", L"13:00", L"07:00"}));
  ChooseListRow(Item(IDC_WT_SECOND_PLACE), kNewZealand);
  EXPECT_EQ(Shown(), (Clocks{L"13:00", L"13:00", L"00:00"})) << "no such zone: +12:00";
  g_system.zones.push_back(kNewZealandZone);
  ChooseListRow(Item(IDC_WT_FIRST_PLACE), kNewZealand);
  EXPECT_EQ(Shown(), (Clocks{L"13:00", L"01:00", L"00:00"})) << "+13:00 in its summer";
  g_system.zones.back().second.DaylightDate.wMonth = 13;
  ChooseListRow(Item(IDC_WT_FIRST_PLACE), kNewZealand);
  EXPECT_EQ(Shown(), (Clocks{L"13:00", L"00:00", L"00:00"})) << "nonsense: +12:00";

  // The places keep the offsets they took: stepping carries by them.
  ChooseListRow(Item(IDC_WT_FIRST_PLACE), kUnitedKingdom);
  EXPECT_EQ(Shown(), (Clocks{L"13:00", L"12:00", L"00:00"}));
  PressKey(Item(IDC_WT_SECOND_HOUR_SPIN), VK_UP);
  EXPECT_EQ(Shown(), (Clocks{L"14:00", L"13:00", L"01:00"}));
}

// Offers the fonts of g_offered as the system would, and notes the family asked for.
std::vector<std::pair<LONG, DWORD>> g_offered;  // a height and a kind of font each
const wchar_t* g_familyAsked = nullptr;
int OfferFonts(HDC, const wchar_t* family, FONTENUMPROCW proc, LPARAM param) {
  g_familyAsked = family;
  return OfferCourier(proc, param, g_offered);
}

UINT g_dpi = 96;
UINT FakeDpi(HWND) {
  return g_dpi;
}

// The clocks take the digital font only in its raster form, and a raster face has only the sizes
// it was drawn at: the clocks take the one of the window's scale, or else the window's own font,
// as the window opens or is moved onto a monitor of another scale.
TEST_F(WorldTimeTest, ClocksTakeTheDigitalRasterSizeOfTheScaleOrTheWindowsFont) {
  g_system.fonts = OfferFonts;
  const StandIn<platform::SetWindowDpiForTesting> screen{FakeDpi};
  const std::vector<std::pair<LONG, DWORD>> twoRasterSizes = {{16, RASTER_FONTTYPE},
                                                              {24, RASTER_FONTTYPE}};
  const struct {
    const char* offered;
    std::vector<std::pair<LONG, DWORD>> fonts;
    UINT dpi;
    LONG height;  // 0: the window's own font
  } cases[] = {
      {"TrueType and raster", {{16, TRUETYPE_FONTTYPE}, {16, RASTER_FONTTYPE}}, 96, 16},
      {"TrueType and device", {{16, TRUETYPE_FONTTYPE}, {16, DEVICE_FONTTYPE}}, 96, 0},
      {"raster 16 and 24", twoRasterSizes, 96, 16},
      {"raster 16 and 24", twoRasterSizes, 144, 24},
      {"raster 16 and 24", twoRasterSizes, 120, 0},
      {"raster 16 and 24", twoRasterSizes, 192, 0},
  };
  for (const bool moved : {false, true}) {
    for (const auto& c : cases) {
      const std::string name = std::string(c.offered) + " at " + std::to_string(c.dpi) + " DPI" +
                               (moved ? ", moved" : ", opened");
      g_offered = c.fonts;
      g_familyAsked = nullptr;
      g_dpi = c.dpi;
      if (!moved || !m_dlg) Open();
      // Moved onto a monitor of this scale: the system lays the window out and tells it.
      RECT rect;
      GetWindowRect(m_dlg->m_hWnd, &rect);
      if (moved) {
        SendMessageW(m_dlg->m_hWnd, WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                     reinterpret_cast<LPARAM>(&rect));
      }
      EXPECT_STREQ(g_familyAsked, L"Nurix Digital") << name;
      const HFONT digital = m_dlg->GetDigitalFont();
      EXPECT_EQ(digital != nullptr, c.height != 0) << name;
      const auto windowFont =
          reinterpret_cast<HFONT>(SendMessageW(m_dlg->m_hWnd, WM_GETFONT, 0, 0));
      for (const int box : {IDC_WT_LOCAL_TIME, IDC_WT_FIRST_TIME, IDC_WT_SECOND_TIME}) {
        const auto font = reinterpret_cast<HFONT>(SendMessageW(Item(box), WM_GETFONT, 0, 0));
        LOGFONTW shown{};
        GetObjectW(font, sizeof shown, &shown);
        if (c.height) {
          EXPECT_EQ(font, digital) << name << ", box " << box;
          EXPECT_EQ(shown.lfHeight, c.height) << name << ", box " << box;
        } else {
          EXPECT_EQ(font, m_dlg->GetDialogFont()) << name << ", box " << box;
          // Once moved, the dialog itself still answers the font of its first scale.
          if (!moved) {
            EXPECT_EQ(font, windowFont) << name << ", box " << box;
          }
        }
      }
      if (digital) {
        EXPECT_NE(reinterpret_cast<HFONT>(SendMessageW(Item(IDOK), WM_GETFONT, 0, 0)), digital)
            << name;
      }
    }
  }
}

// The clocks follow the computer: its daylight change on the button, its new zone on either of
// the system's notices.
TEST_F(WorldTimeTest, OffsetsFollowTheComputer) {
  const auto inParisAt = [](WORD utcHour, WORD utcMinute) {
    g_system.zones = {kRomance, kEastern};
    g_system.utc = {2026, 3, 0, 8, utcHour, utcMinute, 0, 0};  // New York springs on at 07:00
    ComputerAt(static_cast<WORD>(utcHour + 1), utcMinute, -60, TIME_ZONE_ID_STANDARD);
  };
  StoreRow(CWorldTimeDlg::kFirstPlaceEntry, kFrance);
  StoreRow(CWorldTimeDlg::kSecondPlaceEntry, kNewYork);
  for (const int notice : {0, WM_TIMECHANGE, WM_SETTINGCHANGE}) {
    inParisAt(6, 59);
    Open();
    EXPECT_EQ(Shown(), (Clocks{L"07:59", L"07:59", L"01:59"}));
    inParisAt(7, 0);
    if (notice) {
      // The computer now in Kuwait's zone.
      ComputerAt(10, 0);
      SendMessageW(m_dlg->m_hWnd, static_cast<UINT>(notice), 0, 0);
    } else {
      Click(IDC_WT_LOCAL_NOW);
    }
    EXPECT_EQ(Shown(), (Clocks{notice ? L"10:00" : L"08:00", L"08:00", L"03:00"})) << notice;
  }
  // Another setting's notice, the computer's zone unchanged, leaves the clocks as they stand.
  inParisAt(6, 59);
  Open();
  inParisAt(7, 0);
  SendMessageW(m_dlg->m_hWnd, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
  EXPECT_EQ(Shown(), (Clocks{L"07:59", L"07:59", L"01:59"}));
}

// Around New Year a place takes the rules of the year its own clock is in. Two zones whose
// daylight saving lasts a whole year, written as a change at each end of it: a +13:00 zone on
// +14:00 all of 2027, a -3:00 zone on -2:00 all of 2026.
TEST_F(WorldTimeTest, NearNewYearAPlaceTakesTheRulesOfItsOwnYear) {
  const auto wholeYearOnDaylight = [](LONG bias, WORD year) {
    return Zone(bias, {year, 12, 0, 31, 23, 59, 59, 999}, {year, 1, 0, 1, 0, 0, 0, 0});
  };
  g_system.zones = {{L"Plus Thirteen", Zone(-780)}, {L"Minus Three", Zone(180)}};
  g_system.yearRules = {{L"Plus Thirteen", 2027, wholeYearOnDaylight(-780, 2027)},
                        {L"Minus Three", 2026, wholeYearOnDaylight(180, 2026)}};
  struct Case {
    const char* zone;
    SYSTEMTIME utc;
    std::int32_t offset;  // the place's clock
  };
  const Case cases[] = {
      {"Plus Thirteen", {2026, 12, 4, 31, 10, 59, 59, 0}, 13},  // 23:59:59, 31 December 2026
      {"Plus Thirteen", {2026, 12, 4, 31, 11, 0, 1, 0}, 14},    // 01:00:01, 1 January 2027
      {"Minus Three", {2027, 1, 5, 1, 1, 59, 59, 0}, -2},       // 23:59:59, 31 December 2026
      {"Minus Three", {2027, 1, 5, 1, 2, 0, 1, 0}, -3},         // 23:00:01 again, daylight over
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceOffsetAt({0, c.zone}, c.utc), c.offset) << c.zone << " " << c.utc.wHour;
  }
}

// The zone list is read on past an entry that cannot be read; a zone found is looked for first
// where it was, and anew once it moved.
TEST_F(WorldTimeTest, ZoneSearchGoesOnPastAnUnreadableEntryAndRemembers) {
  const NamedZone eastern = {L"Eastern Searched Time", kEastern.second};
  const PlaceRow newYork = {-5, "Eastern Searched Time"};
  g_system.zones = {kArab, {nullptr, {}}, eastern};
  EXPECT_EQ(PlaceOffsetAt(newYork, Noon(7)), -4);
  g_system.entriesRead = 0;
  EXPECT_EQ(PlaceOffsetAt(newYork, Noon(7)), -4);
  EXPECT_EQ(g_system.entriesRead, 1);
  g_system.zones = {eastern, kArab};
  EXPECT_EQ(PlaceOffsetAt(newYork, Noon(7)), -4) << "moved";
  g_system.zones = {kArab};
  EXPECT_EQ(PlaceOffsetAt(newYork, Noon(7)), -5) << "gone: the row's offset";
}

// Windows 7 lists no zones: each is read from its key's "TZI" value, which must be exactly one
// set of rules.
TEST_F(WorldTimeTest, WithoutAZoneListTheRegistryHoldsTheZones) {
  struct {
    LONG bias, standardBias, daylightBias;
    SYSTEMTIME standardDate, daylightDate;
  } const value = {-60, 0, -60, Change(10, 5, 3), Change(3, 5, 2)};
  g_system.zoneList = false;
  g_system.registryKey =
      L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\Romance Standard Time";
  g_system.registryValue = Bytes(value);
  const PlaceRow paris = {0, "Romance Standard Time"};
  EXPECT_EQ(PlaceOffsetAt(paris, Noon(7)), 2);
  EXPECT_EQ(PlaceOffsetAt(paris, Noon(1)), 1);
  for (const std::size_t size : {sizeof value - 1, sizeof value + 1}) {
    g_system.registryValue.resize(size);
    EXPECT_EQ(PlaceOffsetAt(paris, Noon(7)), 0) << size << " bytes";
  }
}

// The system's own zone data (Wine's copy of Windows' "Time Zones"), found by key name.
TEST(FindZoneRulesTest, FindsAZoneByItsKeyNameWithTheYearsRules) {
  TIME_ZONE_INFORMATION rules{};
  // Case does not matter in a key name.
  ASSERT_TRUE(FindZoneRules(L"romance standard time", 2026, rules));
  // Paris: +1:00, +2:00 from the last Sunday of March to the last Sunday of October.
  EXPECT_EQ(rules.Bias, -60);
  EXPECT_EQ(rules.Bias + rules.DaylightBias, -120);
  EXPECT_EQ(rules.DaylightDate.wMonth, 3);
  EXPECT_EQ(rules.DaylightDate.wDay, 5);
  EXPECT_EQ(rules.DaylightDate.wDayOfWeek, 0);
  EXPECT_EQ(rules.StandardDate.wMonth, 10);
  EXPECT_EQ(rules.StandardDate.wDay, 5);

  ASSERT_TRUE(FindZoneRules(L"Arab Standard Time", 2026, rules));
  EXPECT_EQ(rules.Bias, -180);
  EXPECT_EQ(rules.StandardDate.wMonth, 0) << "Kuwait has no daylight saving";

  for (const wchar_t* missing : {L"Ralimet Standard Time", L"", L"Romance Standard Time\\TZI"}) {
    EXPECT_FALSE(FindZoneRules(missing, 2026, rules)) << missing;
  }
}

}  // namespace
