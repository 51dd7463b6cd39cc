#pragma once

#include <cstdint>
#include <optional>

// A zone's rules for one year as the system's zone data writes them (TIME_ZONE_INFORMATION), and
// the offset they put in force at an instant. The data is the system's, read from the registry on
// old systems: any field may be nonsense, and nonsense gives no answer rather than a wrong one.

// When a zone changes between standard time and daylight saving, in SYSTEMTIME's fields. With
// year 0 the change falls on the day-th dayOfWeek (0 = Sunday) of month, 5 meaning the last;
// otherwise on that day of month (the year itself is not compared, as Windows does). Month 0: the
// zone never changes.
struct ZoneChangeDate {
  int year = 0;
  int month = 0;
  int dayOfWeek = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

// Biases in minutes, UTC = local time + bias.
struct ZoneRules {
  std::int32_t bias = 0;
  std::int32_t standardBias = 0;
  std::int32_t daylightBias = 0;
  ZoneChangeDate standardDate;  // back to standard time, written in daylight time
  ZoneChangeDate daylightDate;  // on to daylight saving, written in standard time
};

struct UtcInstant {
  int year;
  int month;
  int day;
  int hour;
  int minute;
  int second;
};

// The bias in force at `when` (minutes, UTC = local + bias): with daylight saving when `when`
// falls in it, the bias alone for a zone without. Southern zones, whose daylight saving spans the
// new year, are told by their change dates. Nothing when the rules or the instant are not valid.
std::optional<std::int32_t> BiasInForce(const ZoneRules& rules, const UtcInstant& when);
// The same with the changes taken in `year`: the rules are a year's, and near New Year the zone's
// local year is not the year of `when` in UTC.
std::optional<std::int32_t> BiasInForce(const ZoneRules& rules, int year, const UtcInstant& when);

// The year of the local time at `when` in a zone at `bias` (minutes, less than a day either way).
int LocalYear(const UtcInstant& when, std::int32_t bias);
