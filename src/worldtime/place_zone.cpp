#include "worldtime/place_zone.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "worldtime/zone_rules.h"

namespace {

// Windows 7 has no zone list: it keeps each zone under this key, its rules in the value "TZI".
constexpr wchar_t kZonesKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\";

// The layout of a "TZI" value.
struct RegistryZoneRules {
  LONG Bias;
  LONG StandardBias;
  LONG DaylightBias;
  SYSTEMTIME StandardDate;
  SYSTEMTIME DaylightDate;
};

// Past this many entries a list that never says "no more items" is taken as ended.
constexpr DWORD kMostZones = 4096;

bool SameKey(const DYNAMIC_TIME_ZONE_INFORMATION& zone, const std::wstring& keyName) {
  return _wcsicmp(zone.TimeZoneKeyName, keyName.c_str()) == 0;
}

// Each entry read costs registry reads: a zone found once is looked for first where it was. An
// entry that cannot be read hides no other.
bool FindListedZone(const std::wstring& keyName, DYNAMIC_TIME_ZONE_INFORMATION& zone) {
  static std::map<std::wstring, DWORD, std::less<>> foundAt;
  const auto found = foundAt.find(keyName);
  if (found != foundAt.end() && platform::EnumZone(found->second, zone) == ERROR_SUCCESS &&
      SameKey(zone, keyName)) {
    return true;
  }
  for (DWORD index = 0; index < kMostZones; ++index) {
    const DWORD read = platform::EnumZone(index, zone);
    if (read == ERROR_NO_MORE_ITEMS || read == ERROR_CALL_NOT_IMPLEMENTED) break;
    if (read == ERROR_SUCCESS && SameKey(zone, keyName)) {
      foundAt[keyName] = index;
      return true;
    }
  }
  return false;
}

// The biases and change dates, between the forms the system keeps a zone's rules in.
template <class From, class To>
void CopyZoneRules(const From& from, To& to) {
  to.Bias = from.Bias;
  to.StandardBias = from.StandardBias;
  to.DaylightBias = from.DaylightBias;
  to.StandardDate = from.StandardDate;
  to.DaylightDate = from.DaylightDate;
}

// The value must be exactly one RegistryZoneRules; anything else is not taken.
bool ReadRegistryZone(const std::wstring& keyName, DYNAMIC_TIME_ZONE_INFORMATION& zone) {
  if (keyName.empty() || keyName.size() >= ARRAYSIZE(zone.TimeZoneKeyName)) return false;
  RegistryZoneRules value{};
  DWORD size = sizeof value;
  if (!platform::MachineBinaryValue((kZonesKey + keyName).c_str(), L"TZI", &value, size) ||
      size != sizeof value) {
    return false;
  }
  zone = {};
  CopyZoneRules(value, zone);
  keyName.copy(zone.TimeZoneKeyName, keyName.size());
  return true;
}

bool FindZone(const std::wstring& keyName, DYNAMIC_TIME_ZONE_INFORMATION& zone) {
  if (keyName.find(L'\\') != std::wstring::npos) return false;
  if (FindListedZone(keyName, zone)) return true;
  return platform::EnumZone(0, zone) == ERROR_CALL_NOT_IMPLEMENTED &&
         ReadRegistryZone(keyName, zone);
}

ZoneChangeDate ChangeDate(const SYSTEMTIME& date) {
  return {date.wYear, date.wMonth,  date.wDayOfWeek, date.wDay,
          date.wHour, date.wMinute, date.wSecond,    date.wMilliseconds};
}

std::optional<std::int32_t> BiasInYear(std::wstring_view keyName, int year,
                                       const UtcInstant& when) {
  TIME_ZONE_INFORMATION zone{};
  if (year < 1 || year > 0xFFFF || !FindZoneRules(keyName, static_cast<USHORT>(year), zone)) {
    return std::nullopt;
  }
  const ZoneRules rules = {zone.Bias, zone.StandardBias, zone.DaylightBias,
                           ChangeDate(zone.StandardDate), ChangeDate(zone.DaylightDate)};
  return BiasInForce(rules, year, when);
}

}  // namespace

std::int32_t LocalOffsetNow() {
  TIME_ZONE_INFORMATION zone{};
  const DWORD state = platform::TimeZone(zone);
  return LocalOffsetCode(static_cast<ZoneState>(state), zone.Bias, zone.StandardBias,
                         zone.DaylightBias);
}

bool FindZoneRules(std::wstring_view keyName, USHORT year, TIME_ZONE_INFORMATION& rules) {
  DYNAMIC_TIME_ZONE_INFORMATION zone{};
  if (!FindZone(std::wstring(keyName), zone)) return false;
  if (platform::ZoneRulesForYear(year, zone, rules)) return true;
  // Without the year's own rules, the zone's current ones.
  rules = {};
  CopyZoneRules(zone, rules);
  return true;
}

std::int32_t PlaceOffsetAt(const PlaceRow& place, const SYSTEMTIME& utc) {
  const std::string_view zone = place.zone;
  const std::wstring keyName(zone.begin(), zone.end());
  const UtcInstant when = {utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond};
  // Near New Year the place's clock may be in the year before or after: its rules are that year's.
  std::optional<std::int32_t> bias = BiasInYear(keyName, when.year, when);
  if (bias) {
    const int localYear = LocalYear(when, *bias);
    if (localYear != when.year) bias = BiasInYear(keyName, localYear, when);
  }
  return bias ? OffsetCodeFromBias(*bias) : place.offsetCode;
}

std::int32_t PlaceOffsetNow(const PlaceRow& place) {
  return PlaceOffsetAt(place, platform::UtcTime());
}
