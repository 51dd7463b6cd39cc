#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "worldtime/country_offsets.h"

// Where the clocks' offsets come from: the computer's zone, and each place's zone in the system's
// zone data, read through the platform's seams.

// The offset code of the computer's zone in force now, daylight saving included.
std::int32_t LocalOffsetNow();

// One year's rules of a zone of the system's zone data, found by its key name ("Romance Standard
// Time", in any case). False when the system does not have the zone. The rules come from the
// registry and may be nonsense: check them.
bool FindZoneRules(std::wstring_view keyName, USHORT year, TIME_ZONE_INFORMATION& rules);

// The offset code a place has in force at `utc`, by the rules of the year the place's own clock
// is in; the row's standard offset where the system lacks the zone or its data makes no sense.
std::int32_t PlaceOffsetAt(const PlaceRow& place, const SYSTEMTIME& utc);
std::int32_t PlaceOffsetNow(const PlaceRow& place);
