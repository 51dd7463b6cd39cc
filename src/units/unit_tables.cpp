// The seven converters' rules as the program has always stored them: each unordered pair once,
// rows grouped by their source unit.
#include "units/unit_tables.h"

namespace length {
namespace {
constexpr std::uint16_t kUnits[] = {kCentimetre, kMetre, kKilometre, kInch,
                                    kFoot,       kYard,  kMile,      kMillimetre};
constexpr UnitRule kRules[] = {
    {kMile, kKilometre, 1.609},
    {kMile, kMetre, 1609},
    {kMile, kYard, 1759.6238},
    {kMile, kFoot, 5278.8714},
    {kMile, kInch, 63346.4567},
    {kMile, kCentimetre, 160900},
    {kMile, kMillimetre, 1609000},
    {kKilometre, kMetre, 1000},
    {kKilometre, kYard, 1093.6133},
    {kKilometre, kFoot, 3280.8399},
    {kKilometre, kInch, 39370.0787},
    {kKilometre, kCentimetre, 100000},
    {kKilometre, kMillimetre, 1000000},
    {kMetre, kYard, 1.0936133},
    {kMetre, kFoot, 3.2808399},
    {kMetre, kInch, 39.3700787},
    {kMetre, kCentimetre, 100},
    {kMetre, kMillimetre, 1000},
    {kYard, kFoot, 3},
    {kYard, kInch, 36},
    {kYard, kCentimetre, 91.44},
    {kYard, kMillimetre, 914.4},
    {kFoot, kInch, 12},
    {kFoot, kCentimetre, 30.48},
    {kFoot, kMillimetre, 304.8},
    {kInch, kCentimetre, 2.54},
    {kInch, kMillimetre, 25.4},
    {kCentimetre, kMillimetre, 10},
};
}  // namespace
const UnitTable kTable{kUnits, kRules, kMile};
}  // namespace length

namespace area {
namespace {
constexpr std::uint16_t kUnits[] = {kSquareMile,  kSquareKilometre, kHectare,    kAcre,
                                    kSquareMetre, kSquareFoot,      kSquareInch, kSquareCentimetre};
constexpr UnitRule kRules[] = {
    {kSquareMile, kSquareKilometre, 2.59},
    {kSquareMile, kHectare, 259},
    {kSquareMile, kAcre, 640},
    {kSquareMile, kSquareMetre, 2590000},
    {kSquareMile, kSquareFoot, 27870000},
    {kSquareMile, kSquareInch, 4014500000},
    {kSquareMile, kSquareCentimetre, 25900000000},
    {kSquareKilometre, kHectare, 100},
    {kSquareKilometre, kAcre, 247.104},
    {kSquareKilometre, kSquareMetre, 1000000},
    {kSquareKilometre, kSquareFoot, 10760617},
    {kSquareKilometre, kSquareInch, 1550000000},
    {kSquareKilometre, kSquareCentimetre, 10000000000},
    {kHectare, kAcre, 2.47104},
    {kHectare, kSquareMetre, 10000},
    {kHectare, kSquareFoot, 107606.17},
    {kHectare, kSquareInch, 15500000},
    {kHectare, kSquareCentimetre, 100000000},
    {kAcre, kSquareMetre, 4046.879},
    {kAcre, kSquareFoot, 43546.915},
    {kAcre, kSquareInch, 6272662.523},
    {kAcre, kSquareCentimetre, 40468790.47},
    {kSquareMetre, kSquareFoot, 10.7606},
    {kSquareMetre, kSquareInch, 1550},
    {kSquareMetre, kSquareCentimetre, 10000},
    {kSquareFoot, kSquareInch, 144.044},
    {kSquareFoot, kSquareCentimetre, 929.316},
    {kSquareInch, kSquareCentimetre, 6.4516},
};
}  // namespace
const UnitTable kTable{kUnits, kRules, kSquareMile};
}  // namespace area

namespace volume {
namespace {
constexpr std::uint16_t kUnits[] = {kLitre,      kPint,      kQuart,     kGallon,
                                    kCubicMetre, kCubicInch, kCubicFoot, kCubicCentimetre};
constexpr UnitRule kRules[] = {
    {kCubicMetre, kCubicFoot, 35.319837},
    {kCubicMetre, kGallon, 220},
    {kCubicMetre, kQuart, 880},
    {kCubicMetre, kPint, 1760},
    {kCubicMetre, kLitre, 1000},
    {kCubicMetre, kCubicInch, 61023.37795},
    {kCubicMetre, kCubicCentimetre, 1000000},
    {kCubicFoot, kGallon, 6.22879},
    {kCubicFoot, kQuart, 24.91518},
    {kCubicFoot, kPint, 49.830354},
    {kCubicFoot, kLitre, 28.3127},
    {kCubicFoot, kCubicInch, 1727.736679},
    {kCubicFoot, kCubicCentimetre, 28312.70144},
    {kGallon, kQuart, 4},
    {kGallon, kPint, 8},
    {kGallon, kLitre, 4.545457},
    {kGallon, kCubicInch, 277.3791826},
    {kGallon, kCubicCentimetre, 4545.457696},
    {kQuart, kPint, 2},
    {kQuart, kLitre, 1.13636425},
    {kQuart, kCubicInch, 69.344795},
    {kQuart, kCubicCentimetre, 1136.364424},
    {kPint, kLitre, 0.568182125},
    {kPint, kCubicInch, 34.6723978},
    {kPint, kCubicCentimetre, 568.182212},
    {kLitre, kCubicInch, 61.0233872},
    {kLitre, kCubicCentimetre, 1000},
    {kCubicInch, kCubicCentimetre, 16.38715984},
};
}  // namespace
const UnitTable kTable{kUnits, kRules, kLitre};
}  // namespace volume

namespace weight {
namespace {
constexpr std::uint16_t kUnits[] = {kGram, kKilogram, kOunce, kPound, kTon};
// The ounce is 1/35 kilogram and the pound 1/2.205 kilogram.
constexpr UnitRule kRules[] = {
    {kTon, kKilogram, 1000},    {kTon, kGram, 1000000},   {kTon, kOunce, 35000},
    {kTon, kPound, 2205},       {kKilogram, kGram, 1000}, {kKilogram, kOunce, 35},
    {kKilogram, kPound, 2.205}, {kGram, kOunce, 0.035},   {kGram, kPound, 0.002205},
    {kOunce, kPound, 0.063},
};
}  // namespace
const UnitTable kTable{kUnits, kRules, kTon};
}  // namespace weight

namespace speed {
namespace {
constexpr std::uint16_t kUnits[] = {kMilePerHour,         kKilometrePerHour, kMetrePerSecond,
                                    kCentimetrePerSecond, kFootPerSecond,    kKnot};
constexpr UnitRule kRules[] = {
    {kMilePerHour, kKilometrePerHour, 1.609},
    {kMilePerHour, kMetrePerSecond, 0.446944},
    {kMilePerHour, kCentimetrePerSecond, 44.6944},
    {kMilePerHour, kFootPerSecond, 1.466353},
    {kMilePerHour, kKnot, 0.868976},
    {kKilometrePerHour, kMetrePerSecond, 0.27777},
    {kKilometrePerHour, kCentimetrePerSecond, 27.7777},
    {kKilometrePerHour, kFootPerSecond, 0.911344},
    {kKilometrePerHour, kKnot, 0.54},
    {kMetrePerSecond, kCentimetrePerSecond, 100},
    {kMetrePerSecond, kFootPerSecond, 3.28093},
    {kMetrePerSecond, kKnot, 1.94405},
    {kCentimetrePerSecond, kFootPerSecond, 0.0328093},
    {kCentimetrePerSecond, kKnot, 0.0194405},
    {kFootPerSecond, kKnot, 0.592539},
};
}  // namespace
const UnitTable kTable{kUnits, kRules, kMilePerHour};
}  // namespace speed

namespace duration {
namespace {
constexpr std::uint16_t kUnits[] = {kCentury, kDecade, kYear, kWeek, kDay, kHour, kMinute, kSecond};
// On the 365.25-day year.
constexpr UnitRule kRules[] = {
    {kCentury, kDecade, 10},
    {kCentury, kYear, 100},
    {kCentury, kWeek, 5217.857143},
    {kCentury, kDay, 36525},
    {kCentury, kHour, 876600},
    {kCentury, kMinute, 52596000},
    {kCentury, kSecond, 3155760000},
    {kDecade, kYear, 10},
    {kDecade, kWeek, 521.7857143},
    {kDecade, kDay, 3652.5},
    {kDecade, kHour, 87660},
    {kDecade, kMinute, 5259600},
    {kDecade, kSecond, 315576000},
    {kYear, kWeek, 52.17857143},
    {kYear, kDay, 365.25},
    {kYear, kHour, 8766},
    {kYear, kMinute, 525960},
    {kYear, kSecond, 31557600},
    {kWeek, kDay, 7},
    {kWeek, kHour, 168},
    {kWeek, kMinute, 10080},
    {kWeek, kSecond, 604800},
    {kDay, kHour, 24},
    {kDay, kMinute, 1440},
    {kDay, kSecond, 86400},
    {kHour, kMinute, 60},
    {kHour, kSecond, 3600},
    {kMinute, kSecond, 60},
};
}  // namespace
const UnitTable kTable{kUnits, kRules, kCentury};
}  // namespace duration

namespace temperature {
namespace {
constexpr std::uint16_t kUnits[] = {kCelsius, kFahrenheit, kKelvin};
// The only rules with a constant term.
constexpr UnitRule kRules[] = {
    {kCelsius, kFahrenheit, 1.8, 32},
    {kCelsius, kKelvin, 1, 273.15},
    {kFahrenheit, kKelvin, 0.55555555, 255.372222},
};
}  // namespace
const UnitTable kTable{kUnits, kRules, kCelsius};
}  // namespace temperature
