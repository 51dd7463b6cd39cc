#pragma once
// The size of every unit of the seven converters, taken from the units' definitions and never
// from the program's tables: the international yard (0.9144 m) and pound (0.45359237 kg), the
// imperial gallon (4.54609 l) and its pint (1/8) and quart (1/4), the acre (4840 square yards),
// the knot (1852 m an hour), the 365.25-day year. Sizes are in metres, square and cubic metres,
// kilograms, metres per second and seconds.

#include <cstdint>
#include <span>

#include "units/unit_tables.h"

namespace unit_sizes {

struct Size {
  std::uint16_t unit;
  double size;
};

inline constexpr double kYard = 0.9144;
inline constexpr double kFoot = kYard / 3;
inline constexpr double kInch = kFoot / 12;
inline constexpr double kMile = 1760 * kYard;
inline constexpr double kGallon = 4.54609e-3;
inline constexpr double kPound = 0.45359237;
inline constexpr double kOunce = kPound / 16;  // avoirdupois
inline constexpr double kHour = 3600;
inline constexpr double kDay = 24 * kHour;
inline constexpr double kYear = 365.25 * kDay;

inline constexpr Size kLength[] = {
    {length::kCentimetre, 0.01}, {length::kMetre, 1},          {length::kKilometre, 1000},
    {length::kInch, kInch},      {length::kFoot, kFoot},       {length::kYard, kYard},
    {length::kMile, kMile},      {length::kMillimetre, 0.001},
};
inline constexpr Size kArea[] = {
    {area::kSquareMile, kMile* kMile},
    {area::kSquareKilometre, 1e6},
    {area::kHectare, 1e4},
    {area::kAcre, 4840 * kYard* kYard},
    {area::kSquareMetre, 1},
    {area::kSquareFoot, kFoot* kFoot},
    {area::kSquareInch, kInch* kInch},
    {area::kSquareCentimetre, 1e-4},
};
inline constexpr Size kVolume[] = {
    {volume::kLitre, 1e-3},
    {volume::kPint, kGallon / 8},
    {volume::kQuart, kGallon / 4},
    {volume::kGallon, kGallon},
    {volume::kCubicMetre, 1},
    {volume::kCubicInch, kInch* kInch* kInch},
    {volume::kCubicFoot, kFoot* kFoot* kFoot},
    {volume::kCubicCentimetre, 1e-6},
};
inline constexpr Size kWeight[] = {
    {weight::kGram, 1e-3},    {weight::kKilogram, 1}, {weight::kOunce, kOunce},
    {weight::kPound, kPound}, {weight::kTon, 1000},
};
inline constexpr Size kSpeed[] = {
    {speed::kMilePerHour, kMile / kHour}, {speed::kKilometrePerHour, 1000 / kHour},
    {speed::kMetrePerSecond, 1},          {speed::kCentimetrePerSecond, 0.01},
    {speed::kFootPerSecond, kFoot},       {speed::kKnot, 1852 / kHour},
};
inline constexpr Size kDuration[] = {
    {duration::kCentury, 100 * kYear}, {duration::kDecade, 10 * kYear}, {duration::kYear, kYear},
    {duration::kWeek, 7 * kDay},       {duration::kDay, kDay},          {duration::kHour, kHour},
    {duration::kMinute, 60},           {duration::kSecond, 1},
};

// A linear quantity's converter and the sizes of its units.
struct LinearQuantity {
  const char* name;
  const UnitTable& table;
  std::span<const Size> sizes;
};
inline const LinearQuantity kLinearQuantities[] = {
    {"length", length::kTable, kLength}, {"area", area::kTable, kArea},
    {"volume", volume::kTable, kVolume}, {"weight", weight::kTable, kWeight},
    {"speed", speed::kTable, kSpeed},    {"time", duration::kTable, kDuration},
};

inline double SizeOf(std::span<const Size> sizes, std::uint16_t unit) {
  for (const Size& s : sizes) {
    if (s.unit == unit) return s.size;
  }
  return 0;
}

// Temperatures by their definitions: kelvin = Celsius + 273.15, Fahrenheit = 1.8 Celsius + 32.
inline double ToKelvin(std::uint16_t unit, double t) {
  switch (unit) {
    case temperature::kCelsius:
      return t + 273.15;
    case temperature::kFahrenheit:
      return (t - 32) / 1.8 + 273.15;
    default:
      return t;
  }
}
inline double FromKelvin(std::uint16_t unit, double kelvin) {
  switch (unit) {
    case temperature::kCelsius:
      return kelvin - 273.15;
    case temperature::kFahrenheit:
      return (kelvin - 273.15) * 1.8 + 32;
    default:
      return kelvin;
  }
}

}  // namespace unit_sizes
