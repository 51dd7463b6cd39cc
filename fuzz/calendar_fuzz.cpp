// Fuzzes the calendar with any values. Each 7-byte record of the input (month, day, a 4-byte year,
// a byte whose low bit picks the Hijri side and whose other bits are a weekday index) is one
// SetDate call on the same CDate, and the same date handed to the two static conversions. Every
// answer is held to a day count written independently of the conversion.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calendar/calendar.h"

namespace {

constexpr std::size_t kRecordSize = 7;
// Scribbled into a destination before a conversion, to see that a failure clears it.
constexpr DateParts kScribble{77, 7, 7};

struct Call {
  uint8_t month;
  uint8_t day;
  int32_t year;
  bool isHijri;
  uint8_t weekday;
};

[[noreturn]] void Fail(const char* what, const Call& call, const DateParts& gregorian,
                       const DateParts& hijri) {
  std::fprintf(stderr, "calendar fuzz: %s: %s date %u/%u/%d; Gregorian %u/%u/%d, Hijri %u/%u/%d\n",
               what, call.isHijri ? "Hijri" : "Gregorian", call.day, call.month, call.year,
               gregorian.day, gregorian.month, gregorian.year, hijri.day, hijri.month, hijri.year);
  std::abort();
}

// Orders dates of one calendar; only for years within a few thousand.
int64_t DateKey(const DateParts& date) {
  return int64_t{date.year} * 10000 + date.month * 100 + date.day;
}

// Gregorian side: Julian leap years before 1582, Gregorian ones from then on.
bool GregorianLeap(int32_t year) {
  if (year < 1582) return year % 4 == 0;
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int32_t GregorianMonthDays(int32_t month, int32_t year) {
  static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && GregorianLeap(year) ? 29 : kDays[month - 1];
}

bool IsRealGregorian(const DateParts& date, int32_t firstYear, int32_t lastYear) {
  return date.year >= firstYear && date.year <= lastYear && date.day >= 1 &&
         date.day <= GregorianMonthDays(date.month, date.year);
}

constexpr int64_t kLastJulianKey = 15821004;
constexpr int64_t kFirstGregorianKey = 15821015;
constexpr int64_t kHijriEpochKey = 6220715;

// A day of the Gregorian side that the Hijri side also has.
bool HasHijriDay(const DateParts& date) {
  const int64_t key = DateKey(date);
  return key >= kHijriEpochKey && (key <= kLastJulianKey || key >= kFirstGregorianKey);
}

// Days from 1 January of year 1 (Julian) as day 1: the Julian count up to 4 October 1582, the
// proleptic Gregorian count from 15 October 1582, which runs two days behind the Julian one.
int64_t GregorianDayNumber(const DateParts& date) {
  const bool julian = DateKey(date) <= kLastJulianKey;
  const int64_t before = date.year - 1;
  int64_t days = 365 * before + before / 4;
  if (!julian) days += 2 - before / 100 + before / 400;
  for (int32_t month = 1; month < date.month; ++month) {
    days += GregorianMonthDays(month, date.year);
  }
  return days + date.day;
}

// Hijri side: year y begins on day 227016 + 354 (y - 1) + (11 y + 4) / 30, month m 29 (m - 1)
// + m / 2 days later; every month length follows from these starts.
int64_t HijriYearStart(int64_t year) {
  return 227016 + 354 * (year - 1) + (11 * year + 4) / 30;
}

int64_t HijriMonthStart(int64_t year, int32_t month) {
  return HijriYearStart(year) + 29 * (month - 1) + month / 2;
}

bool IsRealHijri(const DateParts& date, int32_t lastYear = CDate::kLastHijriYear) {
  if (date.year < CDate::kFirstHijriYear || date.year > lastYear) return false;
  if (date.month < 1 || date.month > 12 || date.day < 1) return false;
  const int64_t next =
      date.month == 12 ? HijriYearStart(date.year + 1) : HijriMonthStart(date.year, date.month + 1);
  return date.day <= next - HijriMonthStart(date.year, date.month);
}

int64_t HijriDayNumber(const DateParts& date) {
  return HijriMonthStart(date.year, date.month) + date.day - 1;
}

// Both sides are real dates of the same day, and CDate counts that day as the reference does.
// The late days of Gregorian 5001 fall in Hijri 4514.
bool SameDay(const DateParts& gregorian, const DateParts& hijri) {
  if (!IsRealGregorian(gregorian, CDate::kFirstGregorianYear,
                       CDate::kLastConvertibleGregorianYear) ||
      !HasHijriDay(gregorian) || !IsRealHijri(hijri, CDate::kLastHijriYear + 1)) {
    return false;
  }
  const int64_t day = GregorianDayNumber(gregorian);
  // Day 1 was a Saturday, weekday 0.
  return day == HijriDayNumber(hijri) &&
         CDate::DayNumber(gregorian.day, gregorian.month, gregorian.year) == day &&
         CDate::WeekdayIndex(gregorian) == (day - 1) % 7;
}

void CheckSetDate(CDate& date, const Call& call) {
  const DateParts gregorianBefore = date.m_gregorian;
  const DateParts hijriBefore = date.m_hijri;
  const bool answer = date.SetDate(call.month, call.day, call.year, call.isHijri);
  const DateParts& g = date.m_gregorian;
  const DateParts& h = date.m_hijri;
  const DateParts given{call.year, call.month, call.day};

  if (call.isHijri) {
    if (!IsRealHijri(given)) {
      if (answer || g != gregorianBefore || h != hijriBefore) Fail("not left alone", call, g, h);
      return;
    }
    if (!answer || h != given) Fail("Hijri date not taken", call, g, h);
    if (!SameDay(g, h)) Fail("wrong Gregorian day", call, g, h);
    DateParts back = kScribble;
    if (!CDate::GregorianToHijri(g, back) || back != given) Fail("no round trip", call, g, back);
    return;
  }

  if (!IsRealGregorian(given, CDate::kFirstGregorianYear, CDate::kLastGregorianYear)) {
    if (answer || g != gregorianBefore || h != hijriBefore) Fail("not left alone", call, g, h);
    return;
  }
  if (g != given) Fail("Gregorian date not taken", call, g, h);
  if (!HasHijriDay(given)) {
    // Kept, with no Hijri date beside it.
    if (answer || h != DateParts{}) Fail("no Hijri day, yet", call, g, h);
    return;
  }
  if (!answer || !SameDay(g, h)) Fail("wrong Hijri day", call, g, h);
  DateParts back = kScribble;
  if (!CDate::HijriToGregorian(back, h) || back != given) Fail("no round trip", call, back, h);
}

// The static conversions take any record: a real date converts to the same day, anything else
// gives false and the all-zero record.
void CheckConversions(const Call& call) {
  const DateParts given{call.year, call.month, call.day};

  DateParts hijri = kScribble;
  const bool forward = CDate::GregorianToHijri(given, hijri);
  const bool forwardExpected =
      IsRealGregorian(given, CDate::kFirstGregorianYear, CDate::kLastConvertibleGregorianYear) &&
      HasHijriDay(given);
  if (forward != forwardExpected) Fail("GregorianToHijri answer", call, given, hijri);
  if (forward ? !SameDay(given, hijri) : hijri != DateParts{}) {
    Fail("GregorianToHijri date", call, given, hijri);
  }

  DateParts gregorian = kScribble;
  const bool reverse = CDate::HijriToGregorian(gregorian, given);
  if (reverse != IsRealHijri(given)) Fail("HijriToGregorian answer", call, gregorian, given);
  if (reverse ? !SameDay(gregorian, given) : gregorian != DateParts{}) {
    Fail("HijriToGregorian date", call, gregorian, given);
  }
}

void CheckWeekdayName(const Call& call) {
  const std::wstring untouched = L"?";
  std::wstring name = untouched;
  const bool named = CDate::GetWeekdayName(call.weekday, name);
  if (named != (call.weekday < 7) || (named ? name.empty() : name != untouched)) {
    Fail(("GetWeekdayName " + std::to_string(call.weekday)).c_str(), call, DateParts{},
         DateParts{});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  CDate date;
  for (std::size_t offset = 0; offset + kRecordSize <= size; offset += kRecordSize) {
    Call call;
    call.month = data[offset];
    call.day = data[offset + 1];
    std::memcpy(&call.year, data + offset + 2, sizeof call.year);
    call.isHijri = (data[offset + 6] & 1) != 0;
    call.weekday = data[offset + 6] >> 1;
    CheckSetDate(date, call);
    CheckConversions(call);
    CheckWeekdayName(call);
  }
  return 0;
}
