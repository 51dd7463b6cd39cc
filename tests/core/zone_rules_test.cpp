// The offset in force from one year's zone rules, written as the system's zone data writes them.
// The expected offsets at each instant are the tz database's (Europe/Paris, Australia/Sydney,
// America/New_York, Australia/Adelaide, Pacific/Chatham, Asia/Kathmandu, Asia/Kolkata,
// Asia/Kuwait), each change checked one second before and at the instant.
#include "worldtime/zone_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace {

// The day-th dayOfWeek (0 = Sunday, 5 = the last) of month at hour:minute local.
ZoneChangeDate Nth(int month, int day, int dayOfWeek, int hour, int minute = 0) {
  return {0, month, dayOfWeek, day, hour, minute, 0, 0};
}

constexpr int kSunday = 0;
constexpr int kLast = 5;

// Rules of 2026 as the Windows zones hold them.
const ZoneRules kRomance = {-60, 0, -60, Nth(10, kLast, kSunday, 3), Nth(3, kLast, kSunday, 2)};
const ZoneRules kAusEastern = {-600, 0, -60, Nth(4, 1, kSunday, 3), Nth(10, 1, kSunday, 2)};
const ZoneRules kEastern = {300, 0, -60, Nth(11, 1, kSunday, 2), Nth(3, 2, kSunday, 2)};
const ZoneRules kCenAustralia = {-570, 0, -60, Nth(4, 1, kSunday, 3), Nth(10, 1, kSunday, 2)};
const ZoneRules kChatham = {-765, 0, -60, Nth(4, 1, kSunday, 3, 45), Nth(9, kLast, kSunday, 2, 45)};
const ZoneRules kNepal = {-345, 0, 0, {}, {}};
const ZoneRules kIndia = {-330, 0, 0, {}, {}};
const ZoneRules kArab = {-180, 0, 0, {}, {}};

// Zones of the test's own, worked by hand. Windows writes a change at midnight as 23:59:59.999 of
// the day before: +2:00, on to +3:00 at the midnight that ends the last Thursday of March
// (26 March 2026), back at 01:00 on the last Friday of October (30 October 2026).
const ZoneRules kMidnight = {
    -120, 0, -60, {0, 10, 5, kLast, 1, 0, 0, 0}, {0, 3, 4, kLast, 23, 59, 59, 999}};
// A change may also be a fixed date, whatever its weekday: 15 March 02:00 to 8 November 02:00 at
// -5:00 standard.
const ZoneRules kFixed = {300, 0, -60, {2026, 11, 0, 8, 2, 0, 0, 0}, {2026, 3, 0, 15, 2, 0, 0, 0}};
// UTC, on daylight saving from the last Tuesday of February, in a leap 2028 the 29th.
const ZoneRules kFebruary = {0, 0, -60, Nth(11, 1, kSunday, 2), Nth(2, kLast, 2, 0)};

struct Case {
  const char* name;
  const ZoneRules* rules;
  UtcInstant when;
  std::int32_t minutesAhead;  // of UTC, as the tz database gives it or worked by hand
};

TEST(ZoneRulesTest, OffsetInForceOnEachSideOfEveryChange) {
  const Case cases[] = {
      {"Paris before spring", &kRomance, {2026, 3, 29, 0, 59, 59}, 60},
      {"Paris at spring", &kRomance, {2026, 3, 29, 1, 0, 0}, 120},
      {"Paris in July", &kRomance, {2026, 7, 15, 12, 0, 0}, 120},
      {"Paris before autumn", &kRomance, {2026, 10, 25, 0, 59, 59}, 120},
      {"Paris at autumn", &kRomance, {2026, 10, 25, 1, 0, 0}, 60},
      {"Paris in January", &kRomance, {2026, 1, 15, 12, 0, 0}, 60},
      {"New York before spring", &kEastern, {2026, 3, 8, 6, 59, 59}, -300},
      {"New York at spring", &kEastern, {2026, 3, 8, 7, 0, 0}, -240},
      {"New York before autumn", &kEastern, {2026, 11, 1, 5, 59, 59}, -240},
      {"New York at autumn", &kEastern, {2026, 11, 1, 6, 0, 0}, -300},
      {"New York on New Year's Eve", &kEastern, {2026, 12, 31, 23, 59, 59}, -300},
      // The southern summer spans the New Year.
      {"Sydney in January", &kAusEastern, {2026, 1, 15, 12, 0, 0}, 660},
      {"Sydney at New Year", &kAusEastern, {2026, 1, 1, 0, 0, 0}, 660},
      {"Sydney before autumn", &kAusEastern, {2026, 4, 4, 15, 59, 59}, 660},
      {"Sydney at autumn", &kAusEastern, {2026, 4, 4, 16, 0, 0}, 600},
      {"Sydney in July", &kAusEastern, {2026, 7, 15, 12, 0, 0}, 600},
      {"Sydney before spring", &kAusEastern, {2026, 10, 3, 15, 59, 59}, 600},
      {"Sydney at spring", &kAusEastern, {2026, 10, 3, 16, 0, 0}, 660},
      {"Sydney in December", &kAusEastern, {2026, 12, 31, 23, 0, 0}, 660},
      // Half and quarter hour zones.
      {"Adelaide in January", &kCenAustralia, {2026, 1, 15, 12, 0, 0}, 630},
      {"Adelaide before autumn", &kCenAustralia, {2026, 4, 4, 16, 29, 59}, 630},
      {"Adelaide at autumn", &kCenAustralia, {2026, 4, 4, 16, 30, 0}, 570},
      {"Adelaide before spring", &kCenAustralia, {2026, 10, 3, 16, 29, 59}, 570},
      {"Adelaide at spring", &kCenAustralia, {2026, 10, 3, 16, 30, 0}, 630},
      {"Chatham before autumn", &kChatham, {2026, 4, 4, 13, 59, 59}, 825},
      {"Chatham at autumn", &kChatham, {2026, 4, 4, 14, 0, 0}, 765},
      {"Chatham before spring", &kChatham, {2026, 9, 26, 13, 59, 59}, 765},
      {"Chatham at spring", &kChatham, {2026, 9, 26, 14, 0, 0}, 825},
      {"Kathmandu", &kNepal, {2026, 7, 15, 12, 0, 0}, 345},
      {"Kolkata", &kIndia, {2026, 1, 1, 0, 0, 0}, 330},
      // The fifth Sunday is the last, whether the month has five (March 2026) or four (2027).
      {"Paris before spring 2027", &kRomance, {2027, 3, 28, 0, 59, 59}, 60},
      {"Paris at spring 2027", &kRomance, {2027, 3, 28, 1, 0, 0}, 120},
      {"Paris a week before spring 2027", &kRomance, {2027, 3, 21, 1, 0, 0}, 60},
      {"before the leap February's last Tuesday", &kFebruary, {2028, 2, 28, 23, 59, 59}, 0},
      {"at the leap February's last Tuesday", &kFebruary, {2028, 2, 29, 0, 0, 0}, 60},
      {"before a change at midnight", &kMidnight, {2026, 3, 26, 21, 59, 59}, 120},
      {"at a change at midnight", &kMidnight, {2026, 3, 26, 22, 0, 0}, 180},
      {"before the last Friday's change", &kMidnight, {2026, 10, 29, 21, 59, 59}, 180},
      {"at the last Friday's change", &kMidnight, {2026, 10, 29, 22, 0, 0}, 120},
      {"before a fixed spring date", &kFixed, {2026, 3, 15, 6, 59, 59}, -300},
      {"at a fixed spring date", &kFixed, {2026, 3, 15, 7, 0, 0}, -240},
      {"before a fixed autumn date", &kFixed, {2026, 11, 8, 5, 59, 59}, -240},
      {"at a fixed autumn date", &kFixed, {2026, 11, 8, 6, 0, 0}, -300},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BiasInForce(*c.rules, c.when), -c.minutesAhead) << c.name;
  }
}

TEST(ZoneRulesTest, ZoneWithoutDaylightSavingKeepsItsBias) {
  for (const int month : {1, 3, 7, 10, 12}) {
    EXPECT_EQ(BiasInForce(kArab, {2026, month, 15, 12, 0, 0}), -180) << "month " << month;
  }
  // One change date alone is no daylight saving either.
  ZoneRules half = kRomance;
  half.standardDate.month = 0;
  EXPECT_EQ(BiasInForce(half, {2026, 7, 15, 12, 0, 0}), -60);
}

TEST(ZoneRulesTest, NonsenseGivesNoAnswer) {
  const UtcInstant july = {2026, 7, 15, 12, 0, 0};
  struct Bad {
    const char* name;
    ZoneRules rules;
  };
  const auto with = [](auto change) {
    ZoneRules rules = kRomance;
    change(rules);
    return rules;
  };
  const Bad cases[] = {
      {"month 13", with([](ZoneRules& r) { r.daylightDate.month = 13; })},
      {"negative month", with([](ZoneRules& r) { r.standardDate.month = -1; })},
      {"week 0", with([](ZoneRules& r) { r.daylightDate.day = 0; })},
      {"week 6", with([](ZoneRules& r) { r.standardDate.day = 6; })},
      {"weekday 7", with([](ZoneRules& r) { r.daylightDate.dayOfWeek = 7; })},
      {"hour 24", with([](ZoneRules& r) { r.standardDate.hour = 24; })},
      {"minute 60", with([](ZoneRules& r) { r.daylightDate.minute = 60; })},
      {"second 60", with([](ZoneRules& r) { r.daylightDate.second = 60; })},
      {"a thousand milliseconds", with([](ZoneRules& r) { r.daylightDate.milliseconds = 1000; })},
      {"fixed day 32", with([](ZoneRules& r) { r.daylightDate = {2026, 3, 0, 32, 2, 0, 0, 0}; })},
      {"a day's bias", with([](ZoneRules& r) { r.bias = 1440; })},
      {"largest bias", with([](ZoneRules& r) { r.bias = INT32_MAX; })},
      {"smallest daylight bias", with([](ZoneRules& r) { r.daylightBias = INT32_MIN; })},
      {"biases adding past a day", with([](ZoneRules& r) { r.standardBias = -1400; })},
  };
  for (const Bad& c : cases) {
    EXPECT_EQ(BiasInForce(c.rules, july), std::nullopt) << c.name;
  }
  for (const UtcInstant& when :
       {UtcInstant{2026, 2, 29, 12, 0, 0}, UtcInstant{2026, 13, 1, 0, 0, 0},
        UtcInstant{2026, 7, 15, 24, 0, 0}, UtcInstant{2026, 7, 0, 0, 0, 0}}) {
    EXPECT_EQ(BiasInForce(kRomance, when), std::nullopt) << when.month << "/" << when.day;
  }
  EXPECT_EQ(BiasInForce(kArab, {2026, 4, 31, 0, 0, 0}), std::nullopt);
}

}  // namespace
