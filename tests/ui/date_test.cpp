// The date window on its real template: typed into as the keyboard types, stepped with its real
// up-down controls. The system date is the test's own.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <array>
#include <memory>
#include <string>

#include "calendar/date_dlg.h"
#include "dialog_fixture.h"
#include "fake_system.h"
#include "res/resource.h"
#include "test_support.h"

namespace {

constexpr wchar_t kInvalid[] = L"غير صالح";
// Weekdays far ahead repeat every 400 Gregorian years (146097 days, whole weeks): 1/1/5000 falls
// as 1/1/2200, a Wednesday, and so does 31/12/5000 (5000 is no leap year: 52 weeks and a day);
// 1/1/5001 is a Thursday and 27/2/5001 a Friday.

using Date = std::array<std::wstring, 3>;  // day, month, year as the fields show them
using Fields = std::array<int, 3>;         // a calendar's day, month and year fields
constexpr Fields kGregorianFields = {IDC_GREGORIAN_DAY, IDC_GREGORIAN_MONTH, IDC_GREGORIAN_YEAR};
constexpr Fields kHijriFields = {IDC_HIJRI_DAY, IDC_HIJRI_MONTH, IDC_HIJRI_YEAR};

// Windows opened on the fake system's date.
class DateTest : public ModelessDialogTest<CDateDlg> {
 protected:
  void SetUp() override {
    ModelessDialogTest::SetUp();
    g_system.local = {2000, 1, 6, 1, 0, 0, 0, 0};
  }

  Date Shown(const Fields& fields) const {
    return {TextOf(Item(fields[0])), TextOf(Item(fields[1])), TextOf(Item(fields[2]))};
  }
  Date Gregorian() const { return Shown(kGregorianFields); }
  Date Hijri() const { return Shown(kHijriFields); }
  std::wstring Weekday() const { return TextOf(Item(IDC_WEEKDAY)); }

  // A text put over all of a field's text at once, as a paste does: one change.
  void Type(int id, const std::wstring& text) {
    const HWND field = Item(id);
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  }
  // A date typed over the fields that show something else, year first.
  void TypeDate(const Fields& fields, const Date& date) {
    for (int i = 2; i >= 0; --i) {
      if (TextOf(Item(fields[i])) != date[i]) Type(fields[i], date[i]);
    }
  }
  // Both calendars' fields and the weekday.
  void ExpectShown(const Date& gregorian, const Date& hijri, const wchar_t* weekday,
                   const std::string& name) const {
    EXPECT_EQ(Gregorian(), gregorian) << name;
    EXPECT_EQ(Hijri(), hijri) << name;
    EXPECT_EQ(Weekday(), weekday) << name;
  }

 private:
  FakeSystemInPlace m_system;
};

// Past the calendar's end, the year's up-down cannot stand at 6000 and puts its upper bound into
// the field.
TEST_F(DateTest, OpensOnTodayInBothCalendarsWithItsWeekday) {
  struct Case {
    WORD day, month, year;
    Date gregorian, hijri;
    const wchar_t* weekday;
  };
  const Case cases[] = {
      {1, 1, 2000, {L"1", L"1", L"2000"}, {L"25", L"9", L"1420"}, L"السبت"},
      {29, 2, 2000, {L"29", L"2", L"2000"}, {L"25", L"11", L"1420"}, L"الثلاثاء"},
      {1, 3, 1900, {L"1", L"3", L"1900"}, {L"29", L"10", L"1317"}, L"الخميس"},
      {1, 1, 6000, {L"1", L"1", L"5000"}, {L"21", L"10", L"4512"}, L"الأربعاء"},
  };
  BeepCounter beeps;
  for (const Case& c : cases) {
    g_system.local.wDay = c.day;
    g_system.local.wMonth = c.month;
    g_system.local.wYear = c.year;
    Open();
    const std::string name =
        std::to_string(c.day) + "/" + std::to_string(c.month) + "/" + std::to_string(c.year);
    ExpectShown(c.gregorian, c.hijri, c.weekday, name);
    EXPECT_EQ(beeps.count(), 0) << name;
  }
  EXPECT_EQ(TextOf(m_dlg->m_hWnd), L"التاريخ");
  const LONG_PTR weekdayStyle = GetWindowLongPtrW(Item(IDC_WEEKDAY), GWL_STYLE);
  EXPECT_TRUE(weekdayStyle & ES_READONLY);
  EXPECT_FALSE(weekdayStyle & WS_TABSTOP);
}

TEST_F(DateTest, EachFieldHasItsUpDown) {
  Open();
  struct Case {
    int field, upDownId;
    int upper, lower;
  };
  const Case cases[] = {
      {IDC_GREGORIAN_YEAR, IDC_GREGORIAN_YEAR_SPIN, 5000, 622},
      {IDC_GREGORIAN_MONTH, IDC_GREGORIAN_MONTH_SPIN, 12, 1},
      {IDC_GREGORIAN_DAY, IDC_GREGORIAN_DAY_SPIN, 31, 1},
      {IDC_HIJRI_YEAR, IDC_HIJRI_YEAR_SPIN, 4513, 1},
      {IDC_HIJRI_MONTH, IDC_HIJRI_MONTH_SPIN, 12, 1},
      {IDC_HIJRI_DAY, IDC_HIJRI_DAY_SPIN, 31, 1},
  };
  const DWORD styles =
      UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
  for (const Case& c : cases) {
    const HWND upDown = Item(c.upDownId);
    ASSERT_NE(upDown, nullptr) << c.field;
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(upDown, UDM_GETBUDDY, 0, 0)), Item(c.field))
        << c.field;
    int lower = 0, upper = 0;
    SendMessageW(upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                 reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(lower, c.lower) << c.field;
    EXPECT_EQ(upper, c.upper) << c.field;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(upDown, GWL_STYLE)) & styles, styles) << c.field;
    RECT field, arrows;
    GetWindowRect(Item(c.field), &field);
    GetWindowRect(upDown, &arrows);
    // On the field's right edge, as tall as the field.
    EXPECT_LT(arrows.left, field.right) << c.field;
    EXPECT_GT(arrows.right, field.right) << c.field;
    EXPECT_EQ(arrows.top, field.top) << c.field;
    EXPECT_EQ(arrows.bottom, field.bottom) << c.field;
    EXPECT_TRUE(GetWindowLongPtrW(upDown, GWL_STYLE) & WS_VISIBLE) << c.field;
  }
  // Each row's label stands just before its day field, so its mnemonic leads there.
  for (int id : {IDC_GREGORIAN_DAY, IDC_HIJRI_DAY}) {
    EXPECT_NE(TextOf(GetWindow(Item(id), GW_HWNDPREV)).find(L'&'), std::wstring::npos) << id;
  }
}

TEST_F(DateTest, TypingAYearDigitByDigitConvertsOnlyTheWholeYear) {
  Open();
  BeepCounter beeps;
  const Date before = Hijri();
  const struct {
    const wchar_t* keys;
    const wchar_t* typed;
  } steps[] = {{L"1", L"1"}, {L"9", L"19"}, {L"9", L"199"}};
  SendMessageW(Item(IDC_GREGORIAN_YEAR), EM_SETSEL, 0, -1);
  for (const auto& step : steps) {
    SendMessageW(Item(IDC_GREGORIAN_YEAR), WM_CHAR, step.keys[0], 1);
    EXPECT_EQ(TextOf(Item(IDC_GREGORIAN_YEAR)), step.typed);
    EXPECT_EQ(Weekday(), kInvalid) << "year " << testing::PrintToString(step.typed);
    EXPECT_EQ(Hijri(), before) << "year " << testing::PrintToString(step.typed);
  }
  SendMessageW(Item(IDC_GREGORIAN_YEAR), WM_CHAR, L'6', 1);
  ExpectShown({L"1", L"1", L"1996"}, {L"10", L"8", L"1416"}, L"الإثنين", "year 1996");
  EXPECT_EQ(beeps.count(), 0);
}

TEST_F(DateTest, DatesTypedInEitherCalendarAcrossItsEdges) {
  Open();
  // Each row is typed over the row before, in one calendar; a refused row differs from the one
  // before in one field only, and leaves the other calendar's fields as they were.
  constexpr bool kHijri = true;
  const struct {
    bool hijriTyped;
    Date gregorian;
    Date hijri;
    const wchar_t* weekday;
  } cases[] = {
      {!kHijri, {L"15", L"7", L"622"}, {L"1", L"1", L"1"}, L"الخميس"},
      {!kHijri, {L"14", L"7", L"622"}, {L"1", L"1", L"1"}, kInvalid},
      {!kHijri, {L"16", L"7", L"622"}, {L"2", L"1", L"1"}, L"الجمعة"},
      {!kHijri, {L"15", L"10", L"1582"}, {L"18", L"9", L"990"}, L"الجمعة"},
      {!kHijri, {L"10", L"10", L"1582"}, {L"18", L"9", L"990"}, kInvalid},
      {!kHijri, {L"4", L"10", L"1582"}, {L"17", L"9", L"990"}, L"الخميس"},
      {!kHijri, {L"31", L"12", L"5000"}, {L"2", L"11", L"4513"}, L"الأربعاء"},
      {!kHijri, {L"31", L"12", L"5001"}, {L"2", L"11", L"4513"}, kInvalid},
      {!kHijri, {L"31", L"12", L"621"}, {L"2", L"11", L"4513"}, kInvalid},
      {kHijri, {L"15", L"10", L"1582"}, {L"18", L"9", L"990"}, L"الجمعة"},
      {kHijri, {L"15", L"7", L"622"}, {L"1", L"1", L"1"}, L"الخميس"},
      {kHijri, {L"3", L"7", L"623"}, {L"29", L"12", L"1"}, L"الأحد"},
      {kHijri, {L"3", L"7", L"623"}, {L"30", L"12", L"1"}, kInvalid},  // year 1 is no leap year
      {kHijri, {L"1", L"1", L"1996"}, {L"10", L"8", L"1416"}, L"الإثنين"},
      {kHijri, {L"1", L"1", L"5001"}, {L"3", L"11", L"4513"}, L"الخميس"},
  };
  BeepCounter beeps;
  for (const auto& c : cases) {
    c.hijriTyped ? TypeDate(kHijriFields, c.hijri) : TypeDate(kGregorianFields, c.gregorian);
    ExpectShown(c.gregorian, c.hijri, c.weekday,
                std::string("typed ") + (c.hijriTyped ? "Hijri " : "") +
                    testing::PrintToString(c.hijriTyped ? c.hijri : c.gregorian));
  }
  EXPECT_EQ(beeps.count(), 0) << "every text was a number in its field's range";
}

TEST_F(DateTest, UpArrowsStepAndWrap) {
  Open();
  TypeDate(kGregorianFields, {L"30", L"1", L"2000"});
  PressKey(Item(IDC_GREGORIAN_DAY), VK_UP);
  ExpectShown({L"31", L"1", L"2000"}, {L"25", L"10", L"1420"}, L"الإثنين", "day up");
  PressKey(Item(IDC_GREGORIAN_DAY), VK_UP);
  ExpectShown({L"1", L"1", L"2000"}, {L"25", L"9", L"1420"}, L"السبت",
              "31 wraps to 1, the month stays");

  // The day wraps at 31 whatever the month: 31 in a 30-day month is refused by the calendar.
  TypeDate(kGregorianFields, {L"30", L"4", L"2000"});
  PressKey(Item(IDC_GREGORIAN_DAY), VK_UP);
  EXPECT_EQ(Gregorian(), (Date{L"31", L"4", L"2000"}));
  EXPECT_EQ(Weekday(), kInvalid);

  TypeDate(kGregorianFields, {L"31", L"12", L"1999"});
  PressKey(Item(IDC_GREGORIAN_MONTH), VK_UP);
  EXPECT_EQ(Gregorian(), (Date{L"31", L"1", L"1999"})) << "12 wraps to 1, the year stays";
  PressKey(Item(IDC_GREGORIAN_YEAR), VK_UP);
  ExpectShown({L"31", L"1", L"2000"}, {L"25", L"10", L"1420"}, L"الإثنين", "year up");

  TypeDate(kHijriFields, {L"1", L"1", L"4513"});
  ClickUpDownArrow(Item(IDC_HIJRI_YEAR_SPIN), true);
  ExpectShown({L"15", L"7", L"622"}, {L"1", L"1", L"1"}, L"الخميس", "4513 wraps to 1");
  PressKey(Item(IDC_HIJRI_DAY), VK_UP);
  EXPECT_EQ(Gregorian(), (Date{L"16", L"7", L"622"}));
}

// A click on an arrow, an arrow key, then a typed day: once the up-down's timers have run, the
// field still holds what was typed (the clicks of the random walk rely on it).
TEST_F(DateTest, TypedDayStaysAfterTheUpDownsTimers) {
  Open();
  TypeDate(kGregorianFields, {L"10", L"1", L"2000"});
  ClickUpDownArrow(Item(IDC_GREGORIAN_DAY_SPIN), true);
  PressKey(Item(IDC_GREGORIAN_DAY), VK_UP);
  Type(IDC_GREGORIAN_DAY, L"20");
  for (const DWORD start = GetTickCount(); GetTickCount() - start < 500; Sleep(10)) PumpMessages();
  EXPECT_EQ(Gregorian(), (Date{L"20", L"1", L"2000"}));
}

// A refused text beeps, puts the value back and selects it for the next digit; month 0 is taken
// (no date) without a beep.
TEST_F(DateTest, RejectedTextBeepsAndPutsTheValueBack) {
  const struct {
    int field;
    const wchar_t* keys;
  } cases[] = {
      {IDC_GREGORIAN_DAY, L"32"},    {IDC_HIJRI_DAY, L"32"},       {IDC_HIJRI_YEAR, L"4514"},
      {IDC_GREGORIAN_YEAR, L"5002"}, {IDC_GREGORIAN_YEAR, L"0"},   {IDC_HIJRI_DAY, L"-"},
      {IDC_GREGORIAN_MONTH, L"x"},   {IDC_GREGORIAN_MONTH, L"13"}, {IDC_HIJRI_MONTH, L"13"},
  };
  for (const auto& c : cases) {
    Open();
    const std::string name = std::to_string(c.field) + " " + testing::PrintToString(c.keys);
    const Date gregorian = Gregorian();
    const Date hijri = Hijri();
    const std::wstring opened = TextOf(Item(c.field));
    BeepCounter beeps;
    Type(c.field, c.keys);
    EXPECT_EQ(beeps.count(), 1) << name;
    ExpectShown(gregorian, hijri, L"السبت", name);
    EXPECT_EQ(SendMessageW(Item(c.field), EM_GETSEL, 0, 0), MAKELONG(0, opened.size())) << name;

    if (c.field != IDC_GREGORIAN_MONTH && c.field != IDC_HIJRI_MONTH) continue;
    const Date other = c.field == IDC_HIJRI_MONTH ? gregorian : hijri;
    Type(c.field, L"0");
    EXPECT_EQ(beeps.count(), 1) << name << ", then 0: no beep";
    EXPECT_EQ(TextOf(Item(c.field)), L"0") << name;
    EXPECT_EQ(Weekday(), kInvalid) << name;
    EXPECT_EQ(c.field == IDC_HIJRI_MONTH ? Gregorian() : Hijri(), other) << name;
  }
}

TEST_F(DateTest, LastHijriDaysReachIntoTheYearAfterTheCalendarsEnd) {
  Open();
  BeepCounter beeps;
  TypeDate(kHijriFields, {L"30", L"12", L"4513"});
  ExpectShown({L"27", L"2", L"5001"}, {L"30", L"12", L"4513"}, L"الجمعة", "30/12/4513");

  // Later edits read 5001 back as it stands: no beep, no rewriting of the year.
  Type(IDC_HIJRI_DAY, L"29");
  EXPECT_EQ(Gregorian(), (Date{L"26", L"2", L"5001"}));
  Type(IDC_GREGORIAN_DAY, L"28");
  EXPECT_EQ(Weekday(), kInvalid) << "the calendar itself stops at 5000";
  EXPECT_EQ(Hijri(), (Date{L"29", L"12", L"4513"}));
  Type(IDC_HIJRI_MONTH, L"11");
  EXPECT_EQ(Gregorian()[2], L"5001");
  Type(IDC_HIJRI_DAY, L"2");
  ExpectShown({L"31", L"12", L"5000"}, {L"2", L"11", L"4513"}, L"الأربعاء", "2/11/4513");
  EXPECT_EQ(beeps.count(), 0);

  // Typed by the user, the year 5001 is taken by its field and refused by the calendar.
  Open();
  Type(IDC_GREGORIAN_YEAR, L"5001");
  ExpectShown({L"1", L"1", L"5001"}, {L"25", L"9", L"1420"}, kInvalid, "year 5001 typed");
  EXPECT_EQ(beeps.count(), 0);
}

}  // namespace
