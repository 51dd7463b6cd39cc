#include "calendar/calendar.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "calendar_model.h"

// Printed as day/month/year in failure messages.
std::ostream& operator<<(std::ostream& out, const DateParts& date) {
  return out << int{date.day} << '/' << int{date.month} << '/' << date.year;
}

namespace {

constexpr DateParts kNoDate{};

const wchar_t* const kSaturday = L"السبت";
const wchar_t* const kMonday = L"الإثنين";
const wchar_t* const kThursday = L"الخميس";
const wchar_t* const kFriday = L"الجمعة";

std::wstring WeekdayOf(const DateParts& gregorian) {
  std::wstring name;
  EXPECT_TRUE(CDate::GetWeekdayName(CDate::WeekdayIndex(gregorian), name)) << gregorian;
  return name;
}

// The arithmetical calendar written independently of the conversion: the day number on which a
// Hijri year and a Hijri month begin.
using calendar_model::HijriMonthDays;
using calendar_model::HijriMonthStart;
using calendar_model::HijriYearStart;

int32_t DayNumberOf(const DateParts& g) {
  return CDate::DayNumber(g.day, g.month, g.year);
}

TEST(CalendarTest, ReferenceDayNumbers) {
  struct Case {
    DateParts gregorian;
    int32_t dayNumber;
  };
  const Case cases[] = {{{1, 1, 1}, 1},           {{622, 7, 15}, 227016}, {{1582, 10, 4}, 577737},
                        {{1582, 10, 15}, 577738}, {{1996, 1, 1}, 728661}, {{2000, 1, 1}, 730122},
                        {{5000, 12, 31}, 1826214}};
  for (const Case& c : cases) {
    EXPECT_EQ(DayNumberOf(c.gregorian), c.dayNumber) << c.gregorian;
  }
  EXPECT_EQ(WeekdayOf({1, 1, 1}), kSaturday);
}

// Made directly or by its class name.
TEST(CalendarTest, NewDateHoldsFirstOf1996) {
  const CRuntimeClass* runtimeClass = RUNTIME_CLASS(CDate);
  EXPECT_STREQ(runtimeClass->m_lpszClassName, "CDate");
  std::unique_ptr<CObject> object(runtimeClass->CreateObject());
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->GetRuntimeClass(), runtimeClass);
  const CDate direct;
  for (const CDate* date : {&direct, static_cast<const CDate*>(object.get())}) {
    const char* made = date == &direct ? "made directly" : "made by class name";
    EXPECT_EQ(date->m_gregorian, (DateParts{1996, 1, 1})) << made;
    EXPECT_EQ(date->m_hijri, (DateParts{1416, 8, 10})) << made;
  }
}

TEST(CalendarTest, LeapYearRules) {
  // Julian before 1582, so 1500 leaps; Gregorian centuries after.
  for (int32_t year : {4, 1500, 1580, 1600, 1996, 2000, 4800}) {
    EXPECT_TRUE(CDate::IsGregorianLeapYear(year)) << year;
  }
  for (int32_t year : {1, 1582, 1700, 1800, 1900, 2100, 5000}) {
    EXPECT_FALSE(CDate::IsGregorianLeapYear(year)) << year;
  }
  EXPECT_EQ(CDate::GregorianMonthLength(2, 1500), 29);
  EXPECT_EQ(CDate::GregorianMonthLength(2, 1900), 28);
  EXPECT_EQ(CDate::GregorianMonthLength(0, 2000), 0);
  EXPECT_EQ(CDate::GregorianMonthLength(13, 2000), 0);
  EXPECT_EQ(CDate::HijriMonthLength(0, 2), 0);
  EXPECT_EQ(CDate::HijriMonthLength(13, 2), 0);
  for (int32_t year : {0, -28, -1}) {
    EXPECT_FALSE(CDate::IsHijriLeapYear(year)) << year;
  }
  // Every month of every year of two cycles against the independent year and month starts.
  for (int32_t year = 1; year <= 60; ++year) {
    EXPECT_EQ(CDate::IsHijriLeapYear(year), HijriMonthDays(year, 12) == 30) << year;
    for (uint8_t month = 1; month <= 12; ++month) {
      EXPECT_EQ(CDate::HijriMonthLength(month, year), HijriMonthDays(year, month))
          << int{month} << '/' << year;
    }
  }
}

TEST(CalendarTest, NextAndPrevDayAreInverse) {
  struct Case {
    DateParts day, next;
  };
  const Case cases[] = {{{1999, 12, 31}, {2000, 1, 1}}, {{2000, 2, 28}, {2000, 2, 29}},
                        {{1900, 2, 28}, {1900, 3, 1}},  {{1500, 2, 28}, {1500, 2, 29}},
                        {{2001, 4, 30}, {2001, 5, 1}},  {{1582, 10, 4}, {1582, 10, 5}}};
  for (const Case& c : cases) {
    DateParts date = c.day;
    CDate::NextDay(date);
    EXPECT_EQ(date, c.next) << "after " << c.day;
    CDate::PrevDay(date);
    EXPECT_EQ(date, c.day) << "before " << c.next;
  }
}

TEST(CalendarTest, ConvertsKnownDatesBothWays) {
  struct Case {
    DateParts gregorian, hijri;
    const wchar_t* weekday;  // null when not checked
  };
  const Case cases[] = {
      {{622, 7, 15}, {1, 1, 1}, kThursday},     {{622, 7, 16}, {1, 1, 2}, nullptr},
      {{1582, 10, 4}, {990, 9, 17}, kThursday}, {{1582, 10, 15}, {990, 9, 18}, kFriday},
      {{1996, 1, 1}, {1416, 8, 10}, kMonday},   {{2000, 1, 1}, {1420, 9, 25}, kSaturday},
      {{2000, 2, 29}, {1420, 11, 25}, nullptr}, {{1900, 3, 1}, {1317, 10, 29}, nullptr},
      {{1600, 2, 29}, {1008, 8, 15}, nullptr},  {{1500, 2, 29}, {905, 7, 30}, nullptr},
      {{5000, 12, 31}, {4513, 11, 2}, nullptr}, {{624, 6, 22}, {2, 12, 30}, nullptr}};
  for (const Case& c : cases) {
    CDate fromGregorian;
    EXPECT_TRUE(fromGregorian.SetDate(c.gregorian.month, c.gregorian.day, c.gregorian.year, false))
        << c.gregorian;
    EXPECT_EQ(fromGregorian.m_hijri, c.hijri) << c.gregorian;
    CDate fromHijri;
    EXPECT_TRUE(fromHijri.SetDate(c.hijri.month, c.hijri.day, c.hijri.year, true)) << c.hijri;
    EXPECT_EQ(fromHijri.m_gregorian, c.gregorian) << c.hijri;
    if (c.weekday) {
      EXPECT_EQ(WeekdayOf(c.gregorian), c.weekday) << c.gregorian;
    }
  }
}

TEST(CalendarTest, LastHijriYearReachesIntoGregorian5001) {
  struct Case {
    DateParts hijri, gregorian;
  };
  const Case cases[] = {{{4513, 11, 3}, {5001, 1, 1}}, {{4513, 12, 30}, {5001, 2, 27}}};
  for (const Case& c : cases) {
    CDate date;
    EXPECT_TRUE(date.SetDate(c.hijri.month, c.hijri.day, c.hijri.year, true)) << c.hijri;
    EXPECT_EQ(date.m_gregorian, c.gregorian) << c.hijri;
    // The Gregorian side itself stops at 5000, even for a day the Hijri side just produced.
    EXPECT_FALSE(date.SetDate(c.gregorian.month, c.gregorian.day, c.gregorian.year, false));
    EXPECT_EQ(date.m_hijri, c.hijri) << c.hijri;
  }
}

TEST(CalendarTest, GregorianDayWithoutHijriDateIsKeptAndHijriCleared) {
  const DateParts cases[] = {{622, 7, 14},  {622, 6, 30},   {622, 1, 1},
                             {1582, 10, 5}, {1582, 10, 10}, {1582, 10, 14}};
  for (const DateParts& g : cases) {
    CDate date;
    EXPECT_FALSE(date.SetDate(g.month, g.day, g.year, false)) << g;
    EXPECT_EQ(date.m_gregorian, g) << g;
    EXPECT_EQ(date.m_hijri, kNoDate) << g;
  }
}

TEST(CalendarTest, OutOfRangeChangesNeitherSide) {
  struct Case {
    DateParts date;
    bool isHijri;
  };
  const Case cases[] = {{{621, 12, 31}, false}, {{5001, 1, 1}, false},  {{2000, 0, 1}, false},
                        {{2000, 13, 1}, false}, {{2000, 1, 0}, false},  {{1700, 2, 29}, false},
                        {{1900, 2, 29}, false}, {{2001, 4, 31}, false}, {{-2000, 1, 1}, false},
                        {{0, 1, 1}, true},      {{4514, 1, 1}, true},   {{-1, 1, 1}, true},
                        {{1400, 0, 1}, true},   {{1400, 13, 1}, true},  {{1400, 1, 0}, true},
                        {{1, 12, 30}, true},    {{1400, 2, 30}, true},  {{1400, 1, 31}, true}};
  for (const Case& c : cases) {
    CDate date;
    ASSERT_TRUE(date.SetDate(10, 15, 1582, false));
    EXPECT_FALSE(date.SetDate(c.date.month, c.date.day, c.date.year, c.isHijri))
        << c.date << (c.isHijri ? " Hijri" : " Gregorian");
    EXPECT_EQ(date.m_gregorian, (DateParts{1582, 10, 15})) << c.date;
    EXPECT_EQ(date.m_hijri, (DateParts{990, 9, 18})) << c.date;
  }
}

TEST(CalendarTest, ConversionsRefuseWhatIsNoDate) {
  // Days that the conversions never produce, and years where the arithmetic would overflow or
  // the reverse walk would never meet its date.
  const DateParts gregorian[] = {{2000, 2, 30}, {2000, 0, 5},       {2000, 13, 5},
                                 {5002, 1, 1},  {2147483647, 1, 1}, kNoDate};
  for (const DateParts& g : gregorian) {
    DateParts h{1, 1, 1};
    EXPECT_FALSE(CDate::GregorianToHijri(g, h)) << g;
    EXPECT_EQ(h, kNoDate) << g;
  }
  const DateParts hijri[] = {{-5, 1, 1},         {4514, 1, 1},
                             {2147483647, 1, 1}, {-2147483647 - 1, 1, 1},
                             {1400, 2, 30},      kNoDate};
  for (const DateParts& h : hijri) {
    DateParts g{2000, 1, 1};
    EXPECT_FALSE(CDate::HijriToGregorian(g, h)) << h;
    EXPECT_EQ(g, kNoDate) << h;
  }
}

TEST(CalendarTest, WeekdayNames) {
  const wchar_t* const names[] = {kSaturday,   L"الأحد",  kMonday, L"الثلاثاء",
                                  L"الأربعاء", kThursday, kFriday};
  for (uint8_t index = 0; index < 7; ++index) {
    std::wstring text;
    EXPECT_TRUE(CDate::GetWeekdayName(index, text)) << int{index};
    EXPECT_EQ(text, names[index]) << int{index};
  }
  for (uint8_t index : {7, 255}) {
    std::wstring text = L"x";
    EXPECT_FALSE(CDate::GetWeekdayName(index, text)) << int{index};
    EXPECT_EQ(text, L"x") << int{index};
  }
}

DateParts PartsOf(const calendar_model::Date& date) {
  return {date.year, static_cast<uint8_t>(date.month), static_cast<uint8_t>(date.day)};
}

// Day by day, checked against the independent year and month starts: the day number and the
// weekday step by one, and the Hijri date is the one after the previous day's. Every fifth day,
// which falls on every weekday and every day of the month in turn, the tests' own calendar model
// (calendar_model.h, which the random walk also uses) names the same two dates.
TEST(CalendarTest, EveryGregorianDayFollowsThePreviousHijriDay) {
  namespace cm = calendar_model;
  DateParts gregorian{622, 7, 15};
  int32_t dayNumber = HijriYearStart(1);
  DateParts expected{1, 1, 1};
  int failures = 0;
  for (;;) {
    DateParts hijri;
    const bool converted = CDate::GregorianToHijri(gregorian, hijri);
    const bool modelDay = (dayNumber - cm::kHijraDay) % 5 == 0;
    const cm::Date western = modelDay ? cm::WesternOf(dayNumber) : cm::Date{};
    const cm::Date modelHijri = modelDay ? cm::HijriOf(dayNumber) : cm::Date{};
    const bool modelAgrees =
        !modelDay || (PartsOf(western) == gregorian && PartsOf(modelHijri) == expected &&
                      cm::DayNumber(western) == dayNumber && cm::IsWesternDate(western) &&
                      cm::IsHijriDate(modelHijri));
    if (!converted || hijri != expected || DayNumberOf(gregorian) != dayNumber ||
        CDate::WeekdayIndex(gregorian) != (dayNumber - 1) % 7 || !modelAgrees) {
      ADD_FAILURE() << gregorian << " gave " << hijri << ", day " << DayNumberOf(gregorian)
                    << "; expected " << expected << ", day " << dayNumber
                    << (modelDay ? "; the model says " : "; no model day: ") << PartsOf(western)
                    << ", Hijri " << PartsOf(modelHijri);
      if (++failures == 10) return;
    }
    if (gregorian == (DateParts{5000, 12, 31})) break;
    CDate::NextDay(gregorian);
    if (gregorian == (DateParts{1582, 10, 5})) gregorian.day = 15;
    ++dayNumber;
    ++expected.day;
    if (dayNumber == HijriYearStart(expected.year + 1)) {
      expected = DateParts{expected.year + 1, 1, 1};
    } else if (expected.month < 12 &&
               dayNumber == HijriMonthStart(expected.year, expected.month + 1)) {
      expected = DateParts{expected.year, static_cast<uint8_t>(expected.month + 1), 1};
    }
  }
  EXPECT_EQ(expected, (DateParts{4513, 11, 2}));
}

// The model's own edges.
TEST(CalendarTest, TheTestsCalendarModelKnowsTheCalendarsEdges) {
  namespace cm = calendar_model;
  EXPECT_EQ(cm::WesternOf(cm::kHijraDay), (cm::Date{622, 7, 15}));
  EXPECT_FALSE(cm::IsWesternDate({622, 7, 14}));
  EXPECT_FALSE(cm::IsWesternDate({1582, 10, 10}));
  EXPECT_FALSE(cm::IsWesternDate({5001, 1, 1}));
  EXPECT_TRUE(cm::IsWesternDate({5000, 12, 31}));
  EXPECT_TRUE(cm::IsWesternDate({1582, 10, 4}));
  EXPECT_FALSE(cm::IsHijriDate({1, 12, 30}));
  EXPECT_STREQ(cm::WeekdayName(cm::DayNumber({2000, 1, 1})), L"السبت");
}

// Every day a Hijri month of years 1 to 4513 can be asked for: accepted exactly when it exists,
// and then back to itself through a Gregorian date that follows the previous one's. The reverse
// walk starts at most two days early, or twelve across October 1582, so it always ends.
TEST(CalendarTest, EveryHijriDateComesBackThroughGregorian) {
  CDate date;
  int32_t previousDayNumber = HijriYearStart(1) - 1;
  int failures = 0;
  const auto fail = [&failures]() { return ++failures == 10; };
  for (int32_t year = 1; year <= 4513; ++year) {
    for (uint8_t month = 1; month <= 12; ++month) {
      const int32_t length = HijriMonthDays(year, month);
      for (uint8_t day = 1; day <= 30; ++day) {
        const DateParts hijri{year, month, day};
        const bool accepted = date.SetDate(month, day, year, true);
        if (accepted != (day <= length)) {
          ADD_FAILURE() << hijri << (accepted ? " accepted" : " refused");
          if (fail()) return;
        }
        if (!accepted) continue;
        DateParts back;
        CDate::GregorianToHijri(date.m_gregorian, back);
        const int32_t dayNumber = DayNumberOf(date.m_gregorian);
        if (back != hijri || dayNumber != previousDayNumber + 1) {
          ADD_FAILURE() << hijri << " gave " << date.m_gregorian << ", day " << dayNumber
                        << ", back " << back;
          if (fail()) return;
        }
        previousDayNumber = dayNumber;
        DateParts estimate = CDate::EstimateGregorian(hijri);
        if (estimate.day < 1 ||
            estimate.day > CDate::GregorianMonthLength(estimate.month, estimate.year)) {
          ADD_FAILURE() << hijri << " estimated at the non-existent " << estimate;
          if (fail()) return;
        }
        const int allowedSteps = dayNumber == 577738 ? 12 : 2;
        int steps = 0;
        while (estimate != date.m_gregorian && steps <= allowedSteps) {
          CDate::NextDay(estimate);
          ++steps;
        }
        if (steps > allowedSteps) {
          ADD_FAILURE() << hijri << " estimated at " << CDate::EstimateGregorian(hijri);
          if (fail()) return;
        }
      }
    }
  }
}

}  // namespace
