#pragma once
// The calendars as the tests know them, written independently of the program's engine: days are
// numbered from 1 January of year 1 (Julian) as day 1, a Saturday; dates are Julian up to
// 4 October 1582, followed by Gregorian 15 October 1582; the arithmetical Hijri calendar starts on
// 15 July 622 (Julian), day 227016, and its leap years put a thirtieth day on the twelfth month.

#include <cstdint>

namespace calendar_model {

struct Date {
  std::int32_t year;
  std::int32_t month;
  std::int32_t day;
  bool operator==(const Date&) const = default;
};

inline constexpr std::int32_t kHijraDay = 227016;

// The day number on which a Hijri year and a Hijri month begin.
inline std::int32_t HijriYearStart(std::int32_t year) {
  return kHijraDay + 354 * (year - 1) + (11 * year + 4) / 30;
}
inline std::int32_t HijriMonthStart(std::int32_t year, std::int32_t month) {
  return HijriYearStart(year) + 29 * (month - 1) + month / 2;
}
inline std::int32_t HijriMonthDays(std::int32_t year, std::int32_t month) {
  const std::int32_t next =
      month == 12 ? HijriYearStart(year + 1) : HijriMonthStart(year, month + 1);
  return next - HijriMonthStart(year, month);
}

// The Western calendar of a date: Julian before the reform, Gregorian from it.
inline bool IsReformed(const Date& d) {
  return d.year > 1582 || (d.year == 1582 && (d.month > 10 || (d.month == 10 && d.day >= 15)));
}
inline bool IsLeap(std::int32_t year, bool reformed) {
  return year % 4 == 0 && (!reformed || year % 100 != 0 || year % 400 == 0);
}
inline std::int32_t MonthDays(std::int32_t year, std::int32_t month, bool reformed) {
  constexpr std::int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kDays[month - 1] + (month == 2 && IsLeap(year, reformed));
}
// Julian days count 365.25 to the year; Gregorian ones drop three leap days in 400 years, and
// the reform's ten skipped days bring them two days behind the Julian count at year 1.
inline std::int32_t DayNumber(const Date& d) {
  const bool reformed = IsReformed(d);
  const std::int32_t y = d.year - 1;
  std::int32_t days = 365 * y + y / 4 + (reformed ? 2 - y / 100 + y / 400 : 0);
  for (std::int32_t m = 1; m < d.month; ++m) days += MonthDays(d.year, m, reformed);
  return days + d.day;
}

// Whether the dates exist in their calendars within the converter's range (15/7/622 to
// 31/12/5000, Hijri years 1 to 4513).
inline bool IsWesternDate(const Date& d) {
  if (d.year < 622 || d.year > 5000 || d.month < 1 || d.month > 12 || d.day < 1) return false;
  if (d.year == 1582 && d.month == 10 && d.day > 4 && d.day < 15) return false;
  return d.day <= MonthDays(d.year, d.month, IsReformed(d)) && DayNumber(d) >= kHijraDay;
}
inline bool IsHijriDate(const Date& d) {
  return d.year >= 1 && d.year <= 4513 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
         d.day <= HijriMonthDays(d.year, d.month);
}

inline Date WesternOf(std::int32_t dayNumber) {
  // A year or two before the date's own (400 Gregorian years have 146097 days).
  Date d{static_cast<std::int32_t>(std::int64_t{dayNumber} * 400 / 146097) - 1, 1, 1};
  if (d.year < 1) d.year = 1;
  while (DayNumber(Date{d.year + 1, 1, 1}) <= dayNumber) ++d.year;
  while (d.month < 12 && DayNumber(Date{d.year, d.month + 1, 1}) <= dayNumber) ++d.month;
  // 1 to 4 October 1582 end the Julian month; the days after them are Gregorian.
  d.day = dayNumber - DayNumber(Date{d.year, d.month, 1}) + 1;
  if (d.year == 1582 && d.month == 10 && d.day > 4) d.day += 10;
  return d;
}
inline Date HijriOf(std::int32_t dayNumber) {
  Date d{(dayNumber - kHijraDay) / 355 + 1, 1, 1};
  while (HijriYearStart(d.year + 1) <= dayNumber) ++d.year;
  while (d.month < 12 && HijriMonthStart(d.year, d.month + 1) <= dayNumber) ++d.month;
  d.day = dayNumber - HijriMonthStart(d.year, d.month) + 1;
  return d;
}

// Day 1 was a Saturday.
inline const wchar_t* WeekdayName(std::int32_t dayNumber) {
  static const wchar_t* const kNames[] = {L"السبت",    L"الأحد",  L"الإثنين", L"الثلاثاء",
                                          L"الأربعاء", L"الخميس", L"الجمعة"};
  return kNames[(dayNumber - 1) % 7];
}

}  // namespace calendar_model
