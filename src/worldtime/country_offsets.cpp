#include "worldtime/country_offsets.h"

#include <cstddef>

namespace {

constexpr int kMinutesPerHour = 60;
constexpr int kHoursPerDay = 24;
constexpr std::int64_t kMinutesPerDay = kMinutesPerHour * kHoursPerDay;
constexpr int kHalfHour = 30;
// A code beyond this many hours either way carries an extra half hour.
constexpr std::int32_t kHalfHourShift = 100;
// A code beyond this either way is the whole offset in minutes.
constexpr std::int32_t kMinuteShift = 1000;

void AppendTwoDigits(std::wstring& text, int value) {
  text += static_cast<wchar_t>(L'0' + value / 10);
  text += static_cast<wchar_t>(L'0' + value % 10);
}

}  // namespace

// Rows once holding codes that matched no recent standard time of the place were corrected where
// they stand: Poland, Bolivia, Peru, Taiwan, Turkey, Chad, Tanzania, Togo, Tunisia, Thailand,
// Jamaica, Grenada, Algeria, South Africa, Malaysia, New York and Washington; and since then
// Jordan and Syria (+3 all year from 2022), Morocco (+1 from 2018, apart from Ramadan), Paraguay
// (-3 all year from 2024), Indonesia (the zone of its capital, as for every country with several)
// and Nepal (+5:45).
// clang-format off
const std::array<std::int32_t, kPlaceCount> g_countryOffsets = {
    3,     // 0 Ethiopia
    1,     // 1 Spain
    10,    // 2 Australia
    104,   // 3 Afghanistan
    -5,    // 4 Ecuador
    -3,    // 5 Argentina
    3,     // 6 Jordan
    4,     // 7 United Arab Emirates
    1,     // 8 Albania
    1,     // 9 Germany
    0,     // 10 United Kingdom
    7,     // 11 Indonesia
    1,     // 12 Angola
    -3,    // 13 Uruguay
    3,     // 14 Uganda
    103,   // 15 Iran
    0,     // 16 Ireland
    0,     // 17 Iceland
    -3,    // 18 Paraguay
    5,     // 19 Pakistan
    -5,    // 20 Bahamas
    3,     // 21 Bahrain
    1,     // 22 Belgium
    6,     // 23 Bangladesh
    -5,    // 24 Panama
    -4,    // 25 Puerto Rico
    0,     // 26 Portugal
    1,     // 27 Poland
    -4,    // 28 Bolivia
    -5,    // 29 Peru
    8,     // 30 Taiwan
    3,     // 31 Turkey
    1,     // 32 Chad
    1,     // 33 Czech Republic
    3,     // 34 Tanzania
    0,     // 35 Togo
    1,     // 36 Tunisia
    7,     // 37 Thailand
    -5,    // 38 Jamaica
    -4,    // 39 Grenada
    1,     // 40 Algeria
    2,     // 41 South Africa
    1,     // 42 Denmark
    -4,    // 43 Dominican islands
    3,     // 44 Russia
    2,     // 45 Romania
    1,     // 46 Zaire
    2,     // 47 Zambia
    2,     // 48 Zimbabwe
    0,     // 49 Ivory Coast
    105,   // 50 Sri Lanka
    3,     // 51 Saudi Arabia
    -6,    // 52 El Salvador
    1,     // 53 Slovakia
    2,     // 54 Swaziland
    2,     // 55 Sudan
    3,     // 56 Syria
    1,     // 57 Sweden
    1,     // 58 Switzerland
    -4,    // 59 Chile
    8,     // 60 China
    3,     // 61 Iraq
    4,     // 62 Oman
    1,     // 63 Gabon
    0,     // 64 Ghana
    -6,    // 65 Guatemala
    0,     // 66 Guinea
    1,     // 67 Vatican
    1,     // 68 France
    2,     // 69 Palestine
    -4,    // 70 Venezuela
    2,     // 71 Finland
    7,     // 72 Vietnam
    8,     // 73 Philippines
    3,     // 74 Qatar
    1,     // 75 Cameroon
    7,     // 76 Cambodia
    -5,    // 77 Canada
    -5,    // 78 Cuba
    9,     // 79 South Korea
    9,     // 80 North Korea
    -6,    // 81 Costa Rica
    -5,    // 82 Colombia
    1,     // 83 Congo
    0,     // 84 Canary Islands
    3,     // 85 Kuwait
    3,     // 86 Kenya
    2,     // 87 Lebanon
    -8,    // 88 Los Angeles
    1,     // 89 Luxembourg
    2,     // 90 Libya
    0,     // 91 Liberia
    1,     // 92 Malta
    0,     // 93 Mali
    8,     // 94 Malaysia
    3,     // 95 Madagascar
    2,     // 96 Egypt
    1,     // 97 Morocco
    -6,    // 98 Mexico
    1,     // 99 Monaco
    8,     // 100 Mongolia
    1,     // 101 Norway
    1,     // 102 Austria
    1345,  // 103 Nepal
    1,     // 104 Niger
    1,     // 105 Nigeria
    -6,    // 106 Nicaragua
    12,    // 107 New Zealand
    -5,    // 108 New York
    105,   // 109 India
    -6,    // 110 Honduras
    1,     // 111 Hungary
    1,     // 112 Netherlands
    8,     // 113 Hong Kong
    -5,    // 114 Washington
    9,     // 115 Japan
    3,     // 116 Yemen
    2,     // 117 Greece
};
// clang-format on

ClockOffset DecodeOffset(std::int32_t code) {
  if (code > kMinuteShift || code < -kMinuteShift) {
    const std::int32_t minutes = code > 0 ? code - kMinuteShift : code + kMinuteShift;
    return {minutes / kMinutesPerHour, minutes % kMinutesPerHour};
  }
  if (code > kHalfHourShift) return {code - kHalfHourShift, kHalfHour};
  if (code < -kHalfHourShift) return {code + kHalfHourShift, -kHalfHour};
  return {code, 0};
}

// Working in minutes of the day wraps any values, however far outside the day, without overflow.
void NormalizeTime(int& hour, int& minute) {
  std::int64_t total =
      (static_cast<std::int64_t>(hour) * kMinutesPerHour + minute) % kMinutesPerDay;
  if (total < 0) total += kMinutesPerDay;
  hour = static_cast<int>(total / kMinutesPerHour);
  minute = static_cast<int>(total % kMinutesPerHour);
}

bool IsPlaceRow(int row) {
  return row >= 0 && row < kPlaceCount;
}

std::int32_t PlaceOffsetCode(int row, std::int32_t localOffset) {
  return IsPlaceRow(row) ? g_countryOffsets[static_cast<std::size_t>(row)] : localOffset;
}

ClockOffset OffsetDifference(std::int32_t fromCode, std::int32_t toCode) {
  const ClockOffset from = DecodeOffset(fromCode);
  const ClockOffset to = DecodeOffset(toCode);
  return {to.hours - from.hours, to.minutes - from.minutes};
}

ClockTime CarryClock(ClockTime time, std::int32_t fromCode, std::int32_t toCode) {
  const ClockOffset shift = OffsetDifference(fromCode, toCode);
  ClockTime carried = {time.hour + shift.hours, time.minute + shift.minutes};
  NormalizeTime(carried.hour, carried.minute);
  return carried;
}

std::int32_t LocalOffsetCode(std::int64_t biasInForce) {
  // Whole days change no clock; dropping them keeps the hours inside what a code can hold.
  const std::int64_t ahead = -(biasInForce % kMinutesPerDay);
  const auto hours = static_cast<std::int32_t>(ahead / kMinutesPerHour);
  const auto minutes = static_cast<std::int32_t>(ahead % kMinutesPerHour);
  if (minutes == 0) return hours;
  // A half hour beside whole hours keeps the code of the places (+5:30 is 105). Any other zone
  // (+5:45, or +-0:30, which has no whole hour to move away from zero) takes the minutes code.
  if (hours != 0 && (minutes == kHalfHour || minutes == -kHalfHour)) {
    return hours > 0 ? hours + kHalfHourShift : hours - kHalfHourShift;
  }
  const auto total = static_cast<std::int32_t>(ahead);
  return total > 0 ? total + kMinuteShift : total - kMinuteShift;
}

std::int32_t LocalOffsetCode(ZoneState state, std::int32_t bias, std::int32_t standardBias,
                             std::int32_t daylightBias) {
  switch (state) {
    case ZoneState::kInvalid:
      return 0;
    case ZoneState::kStandard:
      return LocalOffsetCode(static_cast<std::int64_t>(bias) + standardBias);
    case ZoneState::kDaylight:
      return LocalOffsetCode(static_cast<std::int64_t>(bias) + daylightBias);
    case ZoneState::kUnknown:
      break;
  }
  return LocalOffsetCode(static_cast<std::int64_t>(bias));
}

std::wstring ClockText(int hour, int minute, bool twentyFourHour) {
  NormalizeTime(hour, minute);
  std::wstring text;
  if (twentyFourHour) {
    AppendTwoDigits(text, hour);
  } else {
    const int dialHour = hour % 12;
    AppendTwoDigits(text, dialHour == 0 ? 12 : dialHour);
  }
  text += L':';
  AppendTwoDigits(text, minute);
  if (!twentyFourHour) text += hour >= 12 ? L" P" : L" A";
  return text;
}
