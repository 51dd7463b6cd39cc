#pragma once

#include <array>
#include <cstdint>
#include <string>

// Offset codes: whole hours ahead of UTC, moved 100 away from zero for an extra half hour
// (105 = +5:30, -103 = -3:30); beyond 1000 either way, the offset in minutes moved 1000 away from
// zero, for what hours and half hours cannot hold (1345 = +5:45). The clocks carry no date: a shift
// across midnight only wraps the clock.

inline constexpr int kPlaceCount = 118;
// Row r of the place lists shows string resource kFirstPlaceNameId + r.
inline constexpr unsigned kFirstPlaceNameId = 61205;
// The rows chosen until the user picks others: Kuwait for the first place, Saudi Arabia for the
// second.
inline constexpr int kDefaultFirstPlace = 85;
inline constexpr int kDefaultSecondPlace = 51;

// A place of the lists: the Windows time zone whose rules are the place's (the key name under
// which the system's zone data holds it), and its standard offset, for a system without that zone.
struct PlaceRow {
  std::int32_t offsetCode;
  const char* zone;
};

// Every place, in list order. The registry stores rows, so rows never move.
extern const std::array<PlaceRow, kPlaceCount> g_countryOffsets;

// An offset, or a shift between two offsets. An offset's minutes have its sign (-3:30 is
// {-3, -30}); a shift's minutes may differ in sign from its hours and reach past an hour.
struct ClockOffset {
  int hours;
  int minutes;
};

struct ClockTime {
  int hour;    // 0 to 23
  int minute;  // 0 to 59
};

ClockOffset DecodeOffset(std::int32_t code);

// Carries whole hours out of minute and wraps hour into a day, for any values.
void NormalizeTime(int& hour, int& minute);

// True for a row of the place table; a list without a selection (-1) or a stored row outside the
// table gives false.
bool IsPlaceRow(int row);
// The standard offset code of a list row; anything that is not a place stands for the computer's
// own zone.
std::int32_t PlaceOffsetCode(int row, std::int32_t localOffset);

// What to add to a clock at `from` to read it at `to`.
ClockOffset OffsetDifference(std::int32_t fromCode, std::int32_t toCode);
// A clock time at `from` read at `to`.
ClockTime CarryClock(ClockTime time, std::int32_t fromCode, std::int32_t toCode);

// The zone state answered by GetTimeZoneInformation, with its numeric values, so that the answer
// converts directly.
enum class ZoneState : std::uint32_t {
  kUnknown = 0,  // the zone has no daylight saving: Bias alone is in force
  kStandard = 1,
  kDaylight = 2,
  kInvalid = 0xFFFFFFFFu,  // the call failed
};

// The offset code of a zone from its bias in force (minutes, UTC = local + bias).
std::int32_t OffsetCodeFromBias(std::int64_t biasInForce);
// The same from the fields of the zone information and the state the call answered: the clock
// read with GetLocalTime includes daylight saving, so the offset must include it too. A failed
// call gives 0 (UTC), its fields being undefined.
std::int32_t LocalOffsetCode(ZoneState state, std::int32_t bias, std::int32_t standardBias,
                             std::int32_t daylightBias);

// "14:07" in the 24-hour form; "02:07 P" otherwise, "P" from noon to 23:59 and "A" from midnight
// to 11:59. A time outside the day is normalised first.
std::wstring ClockText(int hour, int minute, bool twentyFourHour);
