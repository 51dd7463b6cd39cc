#include "worldtime/zone_rules.h"

namespace {

constexpr std::int64_t kSecondsPerMinute = 60;
constexpr std::int64_t kSecondsPerDay = 24 * 60 * kSecondsPerMinute;
constexpr int kDaysPerWeek = 7;
// No zone is a day away from UTC; a bias beyond that is not a zone's.
constexpr std::int32_t kMinutesPerDay = 24 * 60;
// "The fifth" week of a month means its last.
constexpr int kLastWeek = 5;

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1 January 1970 in the proleptic Gregorian calendar, for any year an int holds.
std::int64_t DaysFromEpoch(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// 0 = Sunday; 1 January 1970 was a Thursday.
int DayOfWeek(std::int64_t daysFromEpoch) {
  const std::int64_t weekday = (daysFromEpoch + 4) % kDaysPerWeek;
  return static_cast<int>(weekday < 0 ? weekday + kDaysPerWeek : weekday);
}

bool IsValidTimeOfDay(int hour, int minute, int second) {
  return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

bool IsValidInstant(const UtcInstant& when) {
  return when.month >= 1 && when.month <= 12 && when.day >= 1 &&
         when.day <= DaysInMonth(when.year, when.month) &&
         IsValidTimeOfDay(when.hour, when.minute, when.second);
}

bool IsValidChange(const ZoneChangeDate& date) {
  if (date.month < 1 || date.month > 12) return false;
  if (!IsValidTimeOfDay(date.hour, date.minute, date.second)) return false;
  if (date.milliseconds < 0 || date.milliseconds > 999) return false;
  if (date.year != 0) return date.day >= 1 && date.day <= 31;
  return date.dayOfWeek >= 0 && date.dayOfWeek < kDaysPerWeek && date.day >= 1 &&
         date.day <= kLastWeek;
}

bool IsBias(std::int64_t bias) {
  return bias > -kMinutesPerDay && bias < kMinutesPerDay;
}

// The local second, from 1970, at which a change falls in `year`. A change at 23:59:59.999
// (Windows' way of writing midnight) counts from the next whole second.
std::int64_t ChangeSecond(const ZoneChangeDate& date, int year) {
  const int monthDays = DaysInMonth(year, date.month);
  int day = date.day;
  if (date.year == 0) {
    const int firstWeekday = DayOfWeek(DaysFromEpoch(year, date.month, 1));
    day = 1 + (date.dayOfWeek - firstWeekday + kDaysPerWeek) % kDaysPerWeek +
          (date.day - 1) * kDaysPerWeek;
    while (day > monthDays) day -= kDaysPerWeek;
  } else if (day > monthDays) {
    day = monthDays;
  }
  return DaysFromEpoch(year, date.month, day) * kSecondsPerDay +
         ((date.hour * 60 + date.minute) * kSecondsPerMinute + date.second) +
         (date.milliseconds > 0 ? 1 : 0);
}

}  // namespace

std::optional<std::int32_t> BiasInForce(const ZoneRules& rules, const UtcInstant& when) {
  return BiasInForce(rules, when.year, when);
}

int LocalYear(const UtcInstant& when, std::int32_t bias) {
  const std::int64_t secondOfDay = (when.hour * 60 + when.minute) * kSecondsPerMinute +
                                   when.second -
                                   static_cast<std::int64_t>(bias) * kSecondsPerMinute;
  if (when.month == 12 && when.day == 31 && secondOfDay >= kSecondsPerDay) return when.year + 1;
  if (when.month == 1 && when.day == 1 && secondOfDay < 0) return when.year - 1;
  return when.year;
}

std::optional<std::int32_t> BiasInForce(const ZoneRules& rules, int year, const UtcInstant& when) {
  const std::int64_t standard = static_cast<std::int64_t>(rules.bias) + rules.standardBias;
  const std::int64_t daylight = static_cast<std::int64_t>(rules.bias) + rules.daylightBias;
  if (!IsBias(rules.bias) || !IsBias(standard) || !IsBias(daylight) || !IsValidInstant(when)) {
    return std::nullopt;
  }
  // Windows' convention: without both changes there is no daylight saving, and the bias alone
  // is in force.
  if (rules.standardDate.month == 0 || rules.daylightDate.month == 0) return rules.bias;
  if (!IsValidChange(rules.standardDate) || !IsValidChange(rules.daylightDate)) {
    return std::nullopt;
  }

  const std::int64_t now = DaysFromEpoch(when.year, when.month, when.day) * kSecondsPerDay +
                           (when.hour * 60 + when.minute) * kSecondsPerMinute + when.second;
  // Each change is written in the local time it ends.
  const std::int64_t daylightStarts =
      ChangeSecond(rules.daylightDate, year) + standard * kSecondsPerMinute;
  const std::int64_t daylightEnds =
      ChangeSecond(rules.standardDate, year) + daylight * kSecondsPerMinute;
  bool inDaylight = false;
  if (daylightStarts < daylightEnds) {
    inDaylight = now >= daylightStarts && now < daylightEnds;
  } else if (daylightStarts > daylightEnds) {
    // Southern hemisphere: daylight saving from the spring of one year into the autumn of the next.
    inDaylight = now >= daylightStarts || now < daylightEnds;
  }
  return static_cast<std::int32_t>(inDaylight ? daylight : standard);
}
