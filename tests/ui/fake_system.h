#pragma once

// The system a test gives the program in place of the real one: its clocks, its zone and zone
// data, its 12/24-hour setting and its font search, as g_system says when the program asks.
#include <windows.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "test_support.h"

using NamedZone = std::pair<const wchar_t*, TIME_ZONE_INFORMATION>;

struct FakeSystem {
  SYSTEMTIME local = {2026, 3, 0, 8, 14, 7, 0, 0};
  DWORD zoneState = TIME_ZONE_ID_UNKNOWN;
  LONG bias = -180;  // +3:00
  LONG standardBias = 0;
  LONG daylightBias = -60;
  const wchar_t* timeFormat = L"1";  // LOCALE_ITIME: 24-hour
  // Answers the font search in place of the system; null: the family has no font.
  platform::EnumFontFamilyFn fonts = nullptr;
  // The instant in UTC, and the zones the system's zone list holds (none unless a test says), in
  // list order; a null key name is an entry that cannot be read.
  SYSTEMTIME utc = {2026, 3, 0, 8, 11, 7, 0, 0};
  std::vector<NamedZone> zones;
  // A zone's rules for one year where they are not the listed ones.
  std::vector<std::tuple<const wchar_t*, USHORT, TIME_ZONE_INFORMATION>> yearRules;
  int entriesRead = 0;
  // Windows 7: no zone list, the zones' rules in the registry (the key asked, and the value).
  bool zoneList = true;
  std::wstring registryKey;
  std::vector<BYTE> registryValue;
};
extern FakeSystem g_system;

// The fake system, fresh, in place of the real one for as long as this lives.
class FakeSystemInPlace {
 public:
  FakeSystemInPlace();

 private:
  StandIn<platform::SetLocalTimeForTesting> m_time;
  StandIn<platform::SetTimeZoneForTesting> m_zone;
  StandIn<platform::SetUserLocaleInfoForTesting> m_locale;
  StandIn<platform::SetEnumFontFamilyForTesting> m_fonts;
  StandIn<platform::SetUtcTimeForTesting> m_utc;
  StandIn<platform::SetEnumZoneForTesting> m_zoneList;
  StandIn<platform::SetZoneRulesForYearForTesting> m_zoneRules;
  StandIn<platform::SetMachineBinaryValueForTesting> m_registry;
};

// Offers Courier to a font search as the system would, one font a (height, kind of font) pair,
// until the search asks for no more; answers what the search answered last.
int OfferCourier(FONTENUMPROCW proc, LPARAM param,
                 const std::vector<std::pair<LONG, DWORD>>& fonts);
