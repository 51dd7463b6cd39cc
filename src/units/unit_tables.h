#pragma once

#include <cstdint>

#include "convert/unit_converter.h"

// The units and conversion rules of the seven converters, with no user interface: the windows
// (converter_windows.h) only say which field shows which unit.

// Unit numbers are the converter's own; the gaps are part of the table (time has no unit 3).
namespace length {
enum Unit : std::uint16_t {
  kCentimetre = 0,
  kMetre = 1,
  kKilometre = 2,
  kInch = 3,
  kFoot = 4,
  kYard = 5,
  kMile = 6,
  kMillimetre = 7,
};
extern const UnitTable kTable;
}  // namespace length

namespace area {
enum Unit : std::uint16_t {
  kSquareMile = 0,
  kSquareKilometre = 1,
  kHectare = 2,
  kAcre = 3,
  kSquareMetre = 4,
  kSquareFoot = 5,
  kSquareInch = 6,
  kSquareCentimetre = 7,
};
extern const UnitTable kTable;
}  // namespace area

namespace volume {
enum Unit : std::uint16_t {
  kLitre = 0,
  kPint = 1,
  kQuart = 2,
  kGallon = 3,
  kCubicMetre = 4,
  kCubicInch = 5,
  kCubicFoot = 6,
  kCubicCentimetre = 7,
};
extern const UnitTable kTable;
}  // namespace volume

namespace weight {
enum Unit : std::uint16_t { kGram = 0, kKilogram = 1, kOunce = 2, kPound = 3, kTon = 4 };
extern const UnitTable kTable;
}  // namespace weight

namespace speed {
enum Unit : std::uint16_t {
  kMilePerHour = 0,
  kKilometrePerHour = 1,
  kMetrePerSecond = 2,
  kCentimetrePerSecond = 3,
  kFootPerSecond = 4,
  kKnot = 5,
};
extern const UnitTable kTable;
}  // namespace speed

namespace duration {
enum Unit : std::uint16_t {
  kCentury = 0,
  kDecade = 1,
  kYear = 2,
  kWeek = 4,
  kDay = 5,
  kHour = 6,
  kMinute = 7,
  kSecond = 8,
};
extern const UnitTable kTable;
}  // namespace duration

namespace temperature {
enum Unit : std::uint16_t { kCelsius = 0, kFahrenheit = 1, kKelvin = 2 };
extern const UnitTable kTable;
}  // namespace temperature
