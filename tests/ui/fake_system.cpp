#include "fake_system.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

FakeSystem g_system;

namespace {

SYSTEMTIME FakeLocalTime() {
  return g_system.local;
}

SYSTEMTIME FakeUtcTime() {
  return g_system.utc;
}

DWORD FakeTimeZone(TIME_ZONE_INFORMATION& zone) {
  zone = {};
  zone.Bias = g_system.bias;
  zone.StandardBias = g_system.standardBias;
  zone.DaylightBias = g_system.daylightBias;
  return g_system.zoneState;
}

std::wstring FakeLocaleInfo(LCTYPE type) {
  return type == LOCALE_ITIME ? g_system.timeFormat : L"";
}

int FakeFonts(HDC hdc, const wchar_t* family, FONTENUMPROCW proc, LPARAM param) {
  return g_system.fonts ? g_system.fonts(hdc, family, proc, param) : 1;
}

DWORD FakeEnumZone(DWORD index, DYNAMIC_TIME_ZONE_INFORMATION& zone) {
  if (!g_system.zoneList) return ERROR_CALL_NOT_IMPLEMENTED;
  ++g_system.entriesRead;
  if (index >= g_system.zones.size()) return ERROR_NO_MORE_ITEMS;
  const auto& [name, rules] = g_system.zones[index];
  if (!name) return ERROR_ACCESS_DENIED;
  // The dynamic form begins with the fields of the plain one.
  static_assert(offsetof(DYNAMIC_TIME_ZONE_INFORMATION, TimeZoneKeyName) == sizeof rules);
  zone = {};
  memcpy(&zone, &rules, sizeof rules);
  wcscpy(zone.TimeZoneKeyName, name);
  return ERROR_SUCCESS;
}

// The listed rules stand for every year but those a test gives.
bool FakeZoneRules(USHORT year, const DYNAMIC_TIME_ZONE_INFORMATION& zone,
                   TIME_ZONE_INFORMATION& rules) {
  for (const auto& [name, ruleYear, yearRules] : g_system.yearRules) {
    if (wcscmp(name, zone.TimeZoneKeyName) == 0 && ruleYear == year) {
      rules = yearRules;
      return true;
    }
  }
  return false;
}

bool FakeMachineValue(const wchar_t* key, const wchar_t* name, void* data, DWORD& size) {
  if (g_system.registryKey != key || wcscmp(name, L"TZI") != 0 ||
      g_system.registryValue.size() > size) {
    return false;
  }
  size = static_cast<DWORD>(g_system.registryValue.size());
  std::copy(g_system.registryValue.begin(), g_system.registryValue.end(), static_cast<BYTE*>(data));
  return true;
}

}  // namespace

FakeSystemInPlace::FakeSystemInPlace()
    : m_time(FakeLocalTime),
      m_zone(FakeTimeZone),
      m_locale(FakeLocaleInfo),
      m_fonts(FakeFonts),
      m_utc(FakeUtcTime),
      m_zoneList(FakeEnumZone),
      m_zoneRules(FakeZoneRules),
      m_registry(FakeMachineValue) {
  g_system = FakeSystem{};
}

int OfferCourier(FONTENUMPROCW proc, LPARAM param,
                 const std::vector<std::pair<LONG, DWORD>>& fonts) {
  int answer = 1;
  for (const auto& [height, kind] : fonts) {
    LOGFONTW font{};
    font.lfHeight = height;
    wcscpy(font.lfFaceName, L"Courier");
    const TEXTMETRICW metric{};
    answer = proc(&font, &metric, kind, param);
    if (!answer) break;
  }
  return answer;
}
