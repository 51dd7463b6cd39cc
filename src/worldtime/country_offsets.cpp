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
const std::array<PlaceRow, kPlaceCount> g_countryOffsets = {{
    {3,     "E. Africa Standard Time"},          // 0 Ethiopia
    {1,     "Romance Standard Time"},            // 1 Spain
    {10,    "AUS Eastern Standard Time"},        // 2 Australia
    {104,   "Afghanistan Standard Time"},        // 3 Afghanistan
    {-5,    "SA Pacific Standard Time"},         // 4 Ecuador
    {-3,    "Argentina Standard Time"},          // 5 Argentina
    {3,     "Jordan Standard Time"},             // 6 Jordan
    {4,     "Arabian Standard Time"},            // 7 United Arab Emirates
    {1,     "Central Europe Standard Time"},     // 8 Albania
    {1,     "W. Europe Standard Time"},          // 9 Germany
    {0,     "GMT Standard Time"},                // 10 United Kingdom
    {7,     "SE Asia Standard Time"},            // 11 Indonesia
    {1,     "W. Central Africa Standard Time"},  // 12 Angola
    {-3,    "Montevideo Standard Time"},         // 13 Uruguay
    {3,     "E. Africa Standard Time"},          // 14 Uganda
    {103,   "Iran Standard Time"},               // 15 Iran
    {0,     "GMT Standard Time"},                // 16 Ireland
    {0,     "Greenwich Standard Time"},          // 17 Iceland
    {-3,    "Paraguay Standard Time"},           // 18 Paraguay
    {5,     "Pakistan Standard Time"},           // 19 Pakistan
    {-5,    "Eastern Standard Time"},            // 20 Bahamas
    {3,     "Arab Standard Time"},               // 21 Bahrain
    {1,     "Romance Standard Time"},            // 22 Belgium
    {6,     "Bangladesh Standard Time"},         // 23 Bangladesh
    {-5,    "SA Pacific Standard Time"},         // 24 Panama
    {-4,    "SA Western Standard Time"},         // 25 Puerto Rico
    {0,     "GMT Standard Time"},                // 26 Portugal
    {1,     "Central European Standard Time"},   // 27 Poland
    {-4,    "SA Western Standard Time"},         // 28 Bolivia
    {-5,    "SA Pacific Standard Time"},         // 29 Peru
    {8,     "Taipei Standard Time"},             // 30 Taiwan
    {3,     "Turkey Standard Time"},             // 31 Turkey
    {1,     "W. Central Africa Standard Time"},  // 32 Chad
    {1,     "Central Europe Standard Time"},     // 33 Czech Republic
    {3,     "E. Africa Standard Time"},          // 34 Tanzania
    {0,     "Greenwich Standard Time"},          // 35 Togo
    {1,     "W. Central Africa Standard Time"},  // 36 Tunisia
    {7,     "SE Asia Standard Time"},            // 37 Thailand
    {-5,    "SA Pacific Standard Time"},         // 38 Jamaica
    {-4,    "SA Western Standard Time"},         // 39 Grenada
    {1,     "W. Central Africa Standard Time"},  // 40 Algeria
    {2,     "South Africa Standard Time"},       // 41 South Africa
    {1,     "Romance Standard Time"},            // 42 Denmark
    {-4,    "SA Western Standard Time"},         // 43 Dominican islands
    {3,     "Russian Standard Time"},            // 44 Russia
    {2,     "GTB Standard Time"},                // 45 Romania
    {1,     "W. Central Africa Standard Time"},  // 46 Zaire
    {2,     "South Africa Standard Time"},       // 47 Zambia
    {2,     "South Africa Standard Time"},       // 48 Zimbabwe
    {0,     "Greenwich Standard Time"},          // 49 Ivory Coast
    {105,   "Sri Lanka Standard Time"},          // 50 Sri Lanka
    {3,     "Arab Standard Time"},               // 51 Saudi Arabia
    {-6,    "Central America Standard Time"},    // 52 El Salvador
    {1,     "Central Europe Standard Time"},     // 53 Slovakia
    {2,     "South Africa Standard Time"},       // 54 Swaziland
    {2,     "Sudan Standard Time"},              // 55 Sudan
    {3,     "Syria Standard Time"},              // 56 Syria
    {1,     "W. Europe Standard Time"},          // 57 Sweden
    {1,     "W. Europe Standard Time"},          // 58 Switzerland
    {-4,    "Pacific SA Standard Time"},         // 59 Chile
    {8,     "China Standard Time"},              // 60 China
    {3,     "Arabic Standard Time"},             // 61 Iraq
    {4,     "Arabian Standard Time"},            // 62 Oman
    {1,     "W. Central Africa Standard Time"},  // 63 Gabon
    {0,     "Greenwich Standard Time"},          // 64 Ghana
    {-6,    "Central America Standard Time"},    // 65 Guatemala
    {0,     "Greenwich Standard Time"},          // 66 Guinea
    {1,     "W. Europe Standard Time"},          // 67 Vatican
    {1,     "Romance Standard Time"},            // 68 France
    {2,     "West Bank Standard Time"},          // 69 Palestine
    {-4,    "Venezuela Standard Time"},          // 70 Venezuela
    {2,     "FLE Standard Time"},                // 71 Finland
    {7,     "SE Asia Standard Time"},            // 72 Vietnam
    {8,     "Singapore Standard Time"},          // 73 Philippines
    {3,     "Arab Standard Time"},               // 74 Qatar
    {1,     "W. Central Africa Standard Time"},  // 75 Cameroon
    {7,     "SE Asia Standard Time"},            // 76 Cambodia
    {-5,    "Eastern Standard Time"},            // 77 Canada
    {-5,    "Cuba Standard Time"},               // 78 Cuba
    {9,     "Korea Standard Time"},              // 79 South Korea
    {9,     "North Korea Standard Time"},        // 80 North Korea
    {-6,    "Central America Standard Time"},    // 81 Costa Rica
    {-5,    "SA Pacific Standard Time"},         // 82 Colombia
    {1,     "W. Central Africa Standard Time"},  // 83 Congo
    {0,     "GMT Standard Time"},                // 84 Canary Islands
    {3,     "Arab Standard Time"},               // 85 Kuwait
    {3,     "E. Africa Standard Time"},          // 86 Kenya
    {2,     "Middle East Standard Time"},        // 87 Lebanon
    {-8,    "Pacific Standard Time"},            // 88 Los Angeles
    {1,     "W. Europe Standard Time"},          // 89 Luxembourg
    {2,     "Libya Standard Time"},              // 90 Libya
    {0,     "Greenwich Standard Time"},          // 91 Liberia
    {1,     "W. Europe Standard Time"},          // 92 Malta
    {0,     "Greenwich Standard Time"},          // 93 Mali
    {8,     "Singapore Standard Time"},          // 94 Malaysia
    {3,     "E. Africa Standard Time"},          // 95 Madagascar
    {2,     "Egypt Standard Time"},              // 96 Egypt
    {1,     "Morocco Standard Time"},            // 97 Morocco
    {-6,    "Central Standard Time (Mexico)"},   // 98 Mexico
    {1,     "Romance Standard Time"},            // 99 Monaco
    {8,     "Ulaanbaatar Standard Time"},        // 100 Mongolia
    {1,     "W. Europe Standard Time"},          // 101 Norway
    {1,     "W. Europe Standard Time"},          // 102 Austria
    {1345,  "Nepal Standard Time"},              // 103 Nepal
    {1,     "W. Central Africa Standard Time"},  // 104 Niger
    {1,     "W. Central Africa Standard Time"},  // 105 Nigeria
    {-6,    "Central America Standard Time"},    // 106 Nicaragua
    {12,    "New Zealand Standard Time"},        // 107 New Zealand
    {-5,    "Eastern Standard Time"},            // 108 New York
    {105,   "India Standard Time"},              // 109 India
    {-6,    "Central America Standard Time"},    // 110 Honduras
    {1,     "Central Europe Standard Time"},     // 111 Hungary
    {1,     "W. Europe Standard Time"},          // 112 Netherlands
    {8,     "China Standard Time"},              // 113 Hong Kong
    {-5,    "Eastern Standard Time"},            // 114 Washington
    {9,     "Tokyo Standard Time"},              // 115 Japan
    {3,     "Arab Standard Time"},               // 116 Yemen
    {2,     "GTB Standard Time"},                // 117 Greece
}};
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
  return IsPlaceRow(row) ? g_countryOffsets[static_cast<std::size_t>(row)].offsetCode : localOffset;
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

std::int32_t OffsetCodeFromBias(std::int64_t biasInForce) {
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
      return OffsetCodeFromBias(static_cast<std::int64_t>(bias) + standardBias);
    case ZoneState::kDaylight:
      return OffsetCodeFromBias(static_cast<std::int64_t>(bias) + daylightBias);
    case ZoneState::kUnknown:
      break;
  }
  return OffsetCodeFromBias(static_cast<std::int64_t>(bias));
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
