#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "place_standard_times.h"
#include "worldtime/country_offsets.h"

namespace {

// Rows used by name below.
constexpr int kAfghanistan = 3;
constexpr int kJordan = 6;
constexpr int kUnitedKingdom = 10;
constexpr int kIran = 15;
constexpr int kSaudiArabia = 51;
constexpr int kKuwait = 85;
constexpr int kLosAngeles = 88;
constexpr int kNepal = 103;
constexpr int kNewZealand = 107;
constexpr int kIndia = 109;

constexpr std::int32_t kPlusThree = 3;

std::string Clock(ClockTime time) {
  return std::to_string(time.hour) + ":" + std::to_string(time.minute);
}

ClockTime CarryBetweenRows(ClockTime time, int fromRow, int toRow, std::int32_t local) {
  return CarryClock(time, PlaceOffsetCode(fromRow, local), PlaceOffsetCode(toRow, local));
}

// Each row's offset code against the place's standard time in the world (the list's rows are
// what the registry stores, so the order is fixed too).
TEST(WorldTimeTableTest, EveryPlaceKeepsItsStandardTime) {
  static_assert(std::size(kPlaceStandardTimes) == kPlaceCount);
  for (int row = 0; row < kPlaceCount; ++row) {
    const ClockOffset offset =
        DecodeOffset(g_countryOffsets[static_cast<std::size_t>(row)].offsetCode);
    EXPECT_EQ(offset.hours * 60 + offset.minutes, kPlaceStandardTimes[row].minutes)
        << "row " << row;
  }
}

TEST(WorldTimeDecodeTest, SplitsWholeHoursHalfHoursAndMinutes) {
  struct Case {
    std::int32_t code;
    int hours;
    int minutes;
  };
  const Case cases[] = {{0, 0, 0},      {3, 3, 0},        {-8, -8, 0},     {12, 12, 0},
                        {100, 100, 0},  {-100, -100, 0},  {101, 1, 30},    {103, 3, 30},
                        {104, 4, 30},   {105, 5, 30},     {-101, -1, -30}, {-103, -3, -30},
                        {1345, 5, 45},  {-1345, -5, -45}, {1030, 0, 30},   {-1030, 0, -30},
                        {1765, 12, 45}, {-1570, -9, -30}, {1001, 0, 1}};
  for (const Case& c : cases) {
    const ClockOffset offset = DecodeOffset(c.code);
    EXPECT_EQ(offset.hours, c.hours) << "code " << c.code;
    EXPECT_EQ(offset.minutes, c.minutes) << "code " << c.code;
  }
}

TEST(WorldTimeNormalizeTest, WrapsIntoTheDay) {
  struct Case {
    int hour;
    int minute;
    int wantHour;
    int wantMinute;
  };
  const Case cases[] = {{23, 60, 0, 0},
                        {0, -10, 23, 50},
                        {12, 90, 13, 30},
                        {24, 0, 0, 0},
                        {-1, 30, 23, 30},
                        {-12, -60, 11, 0},
                        {36, 119, 13, 59},
                        {5, 0, 5, 0},
                        {0, 0, 0, 0},
                        {23, 59, 23, 59},
                        {49, 0, 1, 0},
                        {0, 1500, 1, 0},
                        {-25, -1, 22, 59},
                        {INT_MAX, 0, 7, 0},
                        {INT_MIN, 0, 16, 0},
                        {0, INT_MIN, 21, 52},
                        {INT_MAX, INT_MAX, 9, 7}};
  for (const Case& c : cases) {
    int hour = c.hour;
    int minute = c.minute;
    NormalizeTime(hour, minute);
    EXPECT_EQ(Clock({hour, minute}), Clock({c.wantHour, c.wantMinute}))
        << "from " << c.hour << ":" << c.minute;
  }
}

TEST(WorldTimeCarryTest, CarriesBetweenPlaces) {
  struct Case {
    ClockTime time;
    int fromRow;
    int toRow;
    std::int32_t local;  // the computer's offset code
    ClockTime want;
  };
  const Case cases[] = {
      {{12, 0}, kKuwait, kUnitedKingdom, kPlusThree, {9, 0}},
      {{12, 0}, kKuwait, kIndia, kPlusThree, {14, 30}},
      {{23, 45}, kSaudiArabia, kAfghanistan, kPlusThree, {1, 15}},
      {{23, 45}, kSaudiArabia, kNewZealand, kPlusThree, {8, 45}},
      {{0, 10}, kJordan, kLosAngeles, kPlusThree, {13, 10}},
      {{1, 10}, kIndia, kKuwait, kPlusThree, {22, 40}},
      {{0, 20}, kAfghanistan, kSaudiArabia, kPlusThree, {22, 50}},
      {{23, 0}, kKuwait, kAfghanistan, kPlusThree, {0, 30}},
      {{8, 45}, kNewZealand, kSaudiArabia, kPlusThree, {23, 45}},
      {{14, 7}, kKuwait, kSaudiArabia, kPlusThree, {14, 7}},
      {{12, 0}, kKuwait, kNepal, kPlusThree, {14, 45}},
      {{0, 10}, kNepal, kIndia, kPlusThree, {23, 55}},
      {{23, 30}, kNepal, kUnitedKingdom, kPlusThree, {17, 45}},
      // A list without a place (-1) stands for the computer's own zone: -3:30, +5:45 (Nepal reads
      // its own clock), US Eastern in summer (09:00 is 13:00 UTC).
      {{10, 0}, -1, kIran, -103, {17, 0}},
      {{17, 0}, kIran, -1, -103, {10, 0}},
      {{10, 0}, -1, kNepal, 1345, {10, 0}},
      {{9, 0}, -1, kKuwait, -4, {16, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Clock(CarryBetweenRows(c.time, c.fromRow, c.toRow, c.local)), Clock(c.want))
        << Clock(c.time) << " from row " << c.fromRow << " to row " << c.toRow << ", local "
        << c.local;
  }
}

// A stored row beyond the table reads as no selection, like -1.
TEST(WorldTimeCarryTest, ListWithoutPlaceStandsForTheLocalZone) {
  const std::int32_t minusThreeThirty = -103;
  for (int row : {-1, kPlaceCount, 500, INT_MIN, INT_MAX}) {
    EXPECT_FALSE(IsPlaceRow(row)) << "row " << row;
    EXPECT_EQ(PlaceOffsetCode(row, minusThreeThirty), minusThreeThirty) << "row " << row;
    EXPECT_EQ(Clock(CarryBetweenRows({10, 0}, row, -1, minusThreeThirty)), Clock({10, 0}))
        << "row " << row;
  }
  EXPECT_TRUE(IsPlaceRow(0));
  EXPECT_TRUE(IsPlaceRow(kPlaceCount - 1));

  const ClockOffset none = OffsetDifference(PlaceOffsetCode(-1, 105), PlaceOffsetCode(-1, 105));
  EXPECT_EQ(none.hours, 0);
  EXPECT_EQ(none.minutes, 0);
}

// Every carry stays inside the day and can be carried back unchanged, from any local zone.
TEST(WorldTimeCarryTest, RoundTripsBetweenEveryPair) {
  const ClockTime times[] = {{0, 0}, {0, 15}, {11, 45}, {12, 30}, {23, 30}, {23, 59}};
  for (std::int32_t local : {-12, -103, 0, 3, 105, 13, 1345, -1030}) {
    for (int from = -1; from < kPlaceCount; ++from) {
      for (int to = -1; to < kPlaceCount; ++to) {
        for (const ClockTime time : times) {
          const ClockTime there = CarryBetweenRows(time, from, to, local);
          ASSERT_TRUE(there.hour >= 0 && there.hour < 24 && there.minute >= 0 && there.minute < 60)
              << Clock(time) << " " << from << " to " << to << " gave " << Clock(there);
          const ClockTime back = CarryBetweenRows(there, to, from, local);
          ASSERT_TRUE(back.hour == time.hour && back.minute == time.minute)
              << Clock(time) << " " << from << " to " << to << " and back gave " << Clock(back)
              << ", local " << local;
        }
      }
    }
  }
}

TEST(WorldTimeLocalOffsetTest, CodesTheBias) {
  struct Case {
    std::int64_t bias;
    std::int32_t code;
    const char* zone;
  };
  const Case cases[] = {{-180, 3, "+3:00"},    {0, 0, "UTC"},
                        {480, -8, "-8:00"},    {-330, 105, "+5:30"},
                        {210, -103, "-3:30"},  {570, -109, "-9:30"},
                        {-345, 1345, "+5:45"}, {-765, 1765, "+12:45"},
                        {-270, 104, "+4:30"},  {-840, 14, "+14:00"},
                        {720, -12, "-12:00"},  {-30, 1030, "+0:30"},
                        {30, -1030, "-0:30"},  {-1440 - 180, 3, "a day and +3:00"}};
  for (const Case& c : cases) {
    EXPECT_EQ(OffsetCodeFromBias(c.bias), c.code) << c.zone;
  }
  for (std::int64_t absurd : {INT64_MIN, INT64_MAX, std::int64_t{INT32_MIN}}) {
    const ClockOffset offset = DecodeOffset(OffsetCodeFromBias(absurd));
    EXPECT_TRUE(offset.hours > -24 && offset.hours < 24) << "bias " << absurd;
  }
}

TEST(WorldTimeLocalOffsetTest, IncludesTheBiasInForce) {
  struct Case {
    ZoneState state;
    std::int32_t bias;
    std::int32_t standardBias;
    std::int32_t daylightBias;
    std::int32_t code;
    const char* zone;
  };
  const Case cases[] = {
      {ZoneState::kDaylight, -60, 0, -60, 2, "Central Europe in summer"},
      {ZoneState::kStandard, -60, 0, -60, 1, "Central Europe in winter"},
      {ZoneState::kDaylight, 300, 0, -60, -4, "US Eastern in summer"},
      {ZoneState::kStandard, 300, 0, -60, -5, "US Eastern in winter"},
      {ZoneState::kDaylight, 210, 0, -60, -102, "Newfoundland in summer"},
      {ZoneState::kStandard, 0, -60, 0, 1, "a standard bias of its own"},
      {ZoneState::kUnknown, -180, -60, -60, 3, "no daylight saving"},
      {ZoneState::kInvalid, -180, 0, -60, 0, "failed call"},
      {static_cast<ZoneState>(7), -180, -60, -60, 3, "unexpected answer"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LocalOffsetCode(c.state, c.bias, c.standardBias, c.daylightBias), c.code) << c.zone;
  }
}

// The twelve-hour form turns at noon.
TEST(WorldTimeClockTextTest, TwentyFourAndTwelveHourForms) {
  struct Case {
    int hour;
    int minute;
    bool twentyFour;
    const wchar_t* text;
  };
  const Case cases[] = {
      {14, 7, true, L"14:07"},     {0, 0, true, L"00:00"},      {23, 59, true, L"23:59"},
      {9, 5, true, L"09:05"},      {12, 0, true, L"12:00"},     {24, 0, true, L"00:00"},
      {-1, 0, true, L"23:00"},     {0, 60, true, L"01:00"},     {12, 0, false, L"12:00 P"},
      {13, 5, false, L"01:05 P"},  {0, 15, false, L"12:15 A"},  {9, 30, false, L"09:30 A"},
      {11, 59, false, L"11:59 A"}, {12, 59, false, L"12:59 P"}, {23, 59, false, L"11:59 P"},
      {0, 0, false, L"12:00 A"},   {1, 0, false, L"01:00 A"},   {-1, 0, false, L"11:00 P"}};
  for (const Case& c : cases) {
    EXPECT_EQ(ClockText(c.hour, c.minute, c.twentyFour), c.text) << Clock({c.hour, c.minute});
  }
}

}  // namespace
