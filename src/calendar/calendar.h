#pragma once

#include <cstdint>
#include <string>

#include "framework/runtime_class.h"

// One calendar date; all zero means no date.
struct DateParts {
  int32_t year;
  uint8_t month;
  uint8_t day;

  bool operator==(const DateParts&) const = default;
};

// One day written as a Gregorian date (Julian up to 4 October 1582, Gregorian from 15 October
// 1582) and as an arithmetical Hijri date (30-year cycle, 1/1/1 = 15 July 622).
// Derives from CObject: it answers no commands, and the command-target layer belongs to the
// Windows side, which the calendar must not depend on.
class CDate : public CObject {
  DECLARE_DYNCREATE(CDate)

 public:
  // The sides SetDate accepts.
  static constexpr int32_t kFirstGregorianYear = 622;
  static constexpr int32_t kLastGregorianYear = 5000;
  static constexpr int32_t kFirstHijriYear = 1;
  static constexpr int32_t kLastHijriYear = 4513;
  // The late days of Hijri 4513 fall early in this year, so conversions reach into it.
  static constexpr int32_t kLastConvertibleGregorianYear = 5001;

  // Holds 1 January 1996, Hijri 10/8/1416.
  CDate();

  // Validates one side against its accepted range and month lengths, stores it and computes the
  // other side. Out of range: false, nothing changes. A Gregorian date in range that has no Hijri
  // date (before 15 July 622, or 5 to 14 October 1582): false, m_gregorian holds it and m_hijri
  // is all zero.
  bool SetDate(uint8_t month, uint8_t day, int32_t year, bool isHijri);

  // Days counted from 1 January of year 1 (Julian) as day 1; continuous across October 1582.
  static int32_t DayNumber(uint8_t day, uint8_t month, int32_t year);
  // 0 = Saturday ... 6 = Friday, the index GetWeekdayName takes.
  static uint8_t WeekdayIndex(const DateParts& gregorian);
  // The Arabic weekday name, as UTF-16 text on Windows; false (text untouched) past index 6.
  static bool GetWeekdayName(uint8_t index, std::wstring& text);

  // Forward conversion of a real date from 15 July 622 to the end of
  // kLastConvertibleGregorianYear; anything else leaves hijri all zero and answers false.
  static bool GregorianToHijri(const DateParts& gregorian, DateParts& hijri);
  // Reverse conversion of a real Hijri date of years 1 to kLastHijriYear; anything else leaves
  // gregorian all zero and answers false.
  static bool HijriToGregorian(DateParts& gregorian, const DateParts& hijri);

  static bool IsGregorianLeapYear(int32_t year);
  static bool IsHijriLeapYear(int32_t year);
  // 0 for a month outside 1 to 12.
  static uint8_t GregorianMonthLength(uint8_t month, int32_t year);
  static uint8_t HijriMonthLength(uint8_t month, int32_t year);

  // Steps of the reverse conversion. HijriDayNumber is the Hijri date's day number, turned to
  // the count the Julian leap rule would give from 15 October 1582 on; EstimateGregorian reads a
  // Gregorian date off it that lies at most a few days before the answer.
  static uint32_t HijriDayNumber(uint8_t day, uint8_t month, int32_t year);
  static DateParts EstimateGregorian(const DateParts& hijri);
  // One Gregorian day later or earlier; they know nothing of the days missing in October 1582.
  static void NextDay(DateParts& gregorian);
  static void PrevDay(DateParts& gregorian);

  DateParts m_gregorian{};
  DateParts m_hijri{};
};
