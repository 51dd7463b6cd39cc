#include "calendar/calendar.h"

#include <cstdint>

IMPLEMENT_DYNCREATE(CDate, CObject)

namespace {

// 15 October 1582, the first Gregorian day; 4 October 1582 is the day before it.
constexpr int64_t kFirstGregorianDay = 577738;
// 15 July 622, Hijri 1/1/1.
constexpr int32_t kHijriEpochDay = 227016;
// Days in a 30-year Hijri cycle, which is also the mean year in thirtieths of a day.
constexpr uint32_t kHijriCycleThirtieths = 10631;

// Bit n set: year n of each 30-year cycle is a leap year (2, 5, 7, 10, 13, 15, 18, 21, 24, 26, 29).
constexpr uint32_t kHijriLeapYearsOfCycle = 1u << 2 | 1u << 5 | 1u << 7 | 1u << 10 | 1u << 13 |
                                            1u << 15 | 1u << 18 | 1u << 21 | 1u << 24 | 1u << 26 |
                                            1u << 29;

// Conversions in the reverse walk before it gives up; it never needs more than 13.
constexpr int kLongestWalk = 32;

constexpr uint8_t kGregorianMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

const wchar_t* const kWeekdayNames[7] = {L"السبت",    L"الأحد",  L"الإثنين", L"الثلاثاء",
                                         L"الأربعاء", L"الخميس", L"الجمعة"};

bool IsValidMonth(uint8_t month) {
  return month >= 1 && month <= 12;
}

// Orders Hijri dates; the all-zero record is 0, below every real date.
int32_t HijriKey(const DateParts& hijri) {
  return 500 * hijri.year + 32 * hijri.month + hijri.day;
}

bool HasHijriDate(const DateParts& g) {
  if (g.year < 622) return false;
  if (g.year == 622 && (g.month < 7 || (g.month == 7 && g.day < 15))) return false;
  return !(g.year == 1582 && g.month == 10 && g.day >= 5 && g.day <= 14);
}

// The month holding day dayOfYear (from 1), and its day, by adding up month lengths.
template <class MonthLength>
DateParts SplitDayOfYear(int32_t year, uint32_t dayOfYear, MonthLength monthLength) {
  uint8_t month = 1;
  // A day past the year's end stays in month 12 rather than walking off the calendar.
  while (month < 12 && dayOfYear > monthLength(month, year)) {
    dayOfYear -= monthLength(month, year);
    ++month;
  }
  return DateParts{year, month, static_cast<uint8_t>(dayOfYear)};
}

}  // namespace

CDate::CDate() {
  SetDate(1, 1, 1996, false);
}

bool CDate::SetDate(uint8_t month, uint8_t day, int32_t year, bool isHijri) {
  if (!isHijri) {
    if (year < kFirstGregorianYear || year > kLastGregorianYear) return false;
    if (day < 1 || day > GregorianMonthLength(month, year)) return false;
    m_gregorian = DateParts{year, month, day};
    return GregorianToHijri(m_gregorian, m_hijri);
  }
  if (year < kFirstHijriYear || year > kLastHijriYear) return false;
  if (day < 1 || day > HijriMonthLength(month, year)) return false;
  m_hijri = DateParts{year, month, day};
  return HijriToGregorian(m_gregorian, m_hijri);
}

int32_t CDate::DayNumber(uint8_t day, uint8_t month, int32_t year) {
  // 64 bits, so that no year makes the count overflow on the way.
  int64_t n = 365 * int64_t{year} + 31 * month + day - 396;
  int64_t leapYear = year;
  if (month <= 2) {
    leapYear -= 1;
  } else {
    n -= (4 * month + 23) / 10;
  }
  n += leapYear / 4;
  if (n >= kFirstGregorianDay) n -= (75 * (leapYear / 100) + 75) / 100 - 2;
  return static_cast<int32_t>(n);
}

uint8_t CDate::WeekdayIndex(const DateParts& gregorian) {
  const int32_t weekday = (DayNumber(gregorian.day, gregorian.month, gregorian.year) - 1) % 7;
  return static_cast<uint8_t>(weekday < 0 ? weekday + 7 : weekday);
}

bool CDate::GetWeekdayName(uint8_t index, std::wstring& text) {
  if (index >= 7) return false;
  text = kWeekdayNames[index];
  return true;
}

bool CDate::GregorianToHijri(const DateParts& gregorian, DateParts& hijri) {
  const DateParts g = gregorian;
  // Past kLastConvertibleGregorianYear no caller needs an answer and far years would overflow
  // the arithmetic; invalid months and days have no day number.
  if (!HasHijriDate(g) || g.year > kLastConvertibleGregorianYear || g.day < 1 ||
      g.day > GregorianMonthLength(g.month, g.year)) {
    hijri = DateParts{};
    return false;
  }
  const uint32_t thirtieths =
      30 * static_cast<uint32_t>(DayNumber(g.day, g.month, g.year)) - 30 * (kHijriEpochDay - 1);
  uint32_t year = thirtieths / kHijriCycleThirtieths;
  uint32_t rest = thirtieths % kHijriCycleThirtieths;
  if (rest >= 16) {
    ++year;
  } else {
    // The last day of the year before.
    rest = IsHijriLeapYear(static_cast<int32_t>(year)) ? 10650 : 10620;
  }
  const uint32_t dayOfYear = rest / 30 + (rest % 30 > 15 ? 1 : 0);
  hijri = SplitDayOfYear(static_cast<int32_t>(year), dayOfYear, HijriMonthLength);
  return true;
}

bool CDate::HijriToGregorian(DateParts& gregorian, const DateParts& hijri) {
  const DateParts h = hijri;
  // Later years would land past the Gregorian years GregorianToHijri answers for, and far ones
  // would overflow the estimate and the keys.
  if (h.year < kFirstHijriYear || h.year > kLastHijriYear || h.day < 1 ||
      h.day > HijriMonthLength(h.month, h.year)) {
    gregorian = DateParts{};
    return false;
  }
  const int32_t target = HijriKey(h);
  DateParts candidate = EstimateGregorian(h);
  // The estimate lies a few days early; a day of October 1582 that has no Hijri date keys as 0
  // and so always steps forward, across the missing days. A date the forward conversion never
  // produced would swing back and forth for ever, hence the limit.
  for (int conversions = 0; conversions < kLongestWalk; ++conversions) {
    DateParts seen;
    GregorianToHijri(candidate, seen);
    const int32_t key = HijriKey(seen);
    if (key == target) {
      gregorian = candidate;
      return true;
    }
    if (key < target) {
      NextDay(candidate);
    } else {
      PrevDay(candidate);
    }
  }
  gregorian = DateParts{};
  return false;
}

bool CDate::IsGregorianLeapYear(int32_t year) {
  if (year % 100 != 0 || year < 1582) return year % 4 == 0;
  return year % 400 == 0;
}

bool CDate::IsHijriLeapYear(int32_t year) {
  if (year <= 0) return false;
  return (kHijriLeapYearsOfCycle >> (year % 30)) & 1;
}

uint8_t CDate::GregorianMonthLength(uint8_t month, int32_t year) {
  if (!IsValidMonth(month)) return 0;
  if (month == 2 && IsGregorianLeapYear(year)) return 29;
  return kGregorianMonthDays[month - 1];
}

uint8_t CDate::HijriMonthLength(uint8_t month, int32_t year) {
  if (!IsValidMonth(month)) return 0;
  if (month % 2 == 1 || (month == 12 && IsHijriLeapYear(year))) return 30;
  return 29;
}

uint32_t CDate::HijriDayNumber(uint8_t day, uint8_t month, int32_t year) {
  const uint32_t m = month;
  uint32_t n = (kHijriCycleThirtieths * (static_cast<uint32_t>(year) - 1)) / 30 + 30 * m -
               (m - 1) / 2 + day + 226985;
  // From 15 October 1582 on, count as if the Julian leap rule had gone on, which is what the
  // year-length division of EstimateGregorian assumes.
  if (n >= kFirstGregorianDay) n = n + (3 * ((n - n / 146100 + 303) / 36524) + 3) / 4 - 2;
  return n;
}

DateParts CDate::EstimateGregorian(const DateParts& hijri) {
  const uint32_t hundredths = 100 * HijriDayNumber(hijri.day, hijri.month, hijri.year);
  const uint32_t years = hundredths / 36525;
  const uint32_t rest = hundredths % 36525;
  // Below one whole day into year years + 1 the day is the last one of year years; reading it
  // as day 0 of January would give a date that does not exist.
  if (rest >= 100) {
    return SplitDayOfYear(static_cast<int32_t>(years + 1), rest / 100, GregorianMonthLength);
  }
  const int32_t year = static_cast<int32_t>(years);
  return SplitDayOfYear(year, IsGregorianLeapYear(year) ? 366 : 365, GregorianMonthLength);
}

void CDate::NextDay(DateParts& gregorian) {
  // At or past the month's end, so that even a bad day cannot step on forever.
  if (gregorian.day >= GregorianMonthLength(gregorian.month, gregorian.year)) {
    gregorian.day = 1;
    if (gregorian.month >= 12) {
      gregorian.month = 1;
      ++gregorian.year;
    } else {
      ++gregorian.month;
    }
    return;
  }
  ++gregorian.day;
}

void CDate::PrevDay(DateParts& gregorian) {
  if (gregorian.day > 1) {
    --gregorian.day;
    return;
  }
  if (gregorian.month <= 1) {
    gregorian.month = 12;
    --gregorian.year;
  } else {
    --gregorian.month;
  }
  gregorian.day = GregorianMonthLength(gregorian.month, gregorian.year);
}
