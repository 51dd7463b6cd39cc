// Which field shows which unit in each of the seven converter windows, in exchange order. The
// units and rules themselves are the portable core's (unit_tables.cpp).
#include "res/resource.h"
#include "units/converter_windows.h"
#include "units/unit_tables.h"

namespace {

constexpr UnitField kLengthFields[] = {
    {IDC_LENGTH_CENTIMETRE, length::kCentimetre},
    {IDC_LENGTH_FOOT, length::kFoot},
    {IDC_LENGTH_INCH, length::kInch},
    {IDC_LENGTH_KILOMETRE, length::kKilometre},
    {IDC_LENGTH_METRE, length::kMetre},
    {IDC_LENGTH_MILE, length::kMile},
    {IDC_LENGTH_YARD, length::kYard},
    {IDC_LENGTH_MILLIMETRE, length::kMillimetre},
};

constexpr UnitField kAreaFields[] = {
    {IDC_AREA_ACRE, area::kAcre},
    {IDC_AREA_HECTARE, area::kHectare},
    {IDC_AREA_SQ_CENTIMETRE, area::kSquareCentimetre},
    {IDC_AREA_SQ_FOOT, area::kSquareFoot},
    {IDC_AREA_SQ_INCH, area::kSquareInch},
    {IDC_AREA_SQ_KILOMETRE, area::kSquareKilometre},
    {IDC_AREA_SQ_METRE, area::kSquareMetre},
    {IDC_AREA_SQ_MILE, area::kSquareMile},
};

constexpr UnitField kVolumeFields[] = {
    {IDC_VOLUME_PINT, volume::kPint},
    {IDC_VOLUME_GALLON, volume::kGallon},
    {IDC_VOLUME_QUART, volume::kQuart},
    {IDC_VOLUME_LITRE, volume::kLitre},
    {IDC_VOLUME_CU_FOOT, volume::kCubicFoot},
    {IDC_VOLUME_CU_INCH, volume::kCubicInch},
    {IDC_VOLUME_CU_METRE, volume::kCubicMetre},
    {IDC_VOLUME_CU_CENTIMETRE, volume::kCubicCentimetre},
};

constexpr UnitField kWeightFields[] = {
    {IDC_WEIGHT_GRAM, weight::kGram},   {IDC_WEIGHT_KILOGRAM, weight::kKilogram},
    {IDC_WEIGHT_OUNCE, weight::kOunce}, {IDC_WEIGHT_POUND, weight::kPound},
    {IDC_WEIGHT_TON, weight::kTon},
};

constexpr UnitField kSpeedFields[] = {
    {IDC_SPEED_CM_PER_SECOND, speed::kCentimetrePerSecond},
    {IDC_SPEED_FOOT_PER_SECOND, speed::kFootPerSecond},
    {IDC_SPEED_KM_PER_HOUR, speed::kKilometrePerHour},
    {IDC_SPEED_KNOT, speed::kKnot},
    {IDC_SPEED_METRE_PER_SECOND, speed::kMetrePerSecond},
    {IDC_SPEED_MILE_PER_HOUR, speed::kMilePerHour},
};

constexpr UnitField kTimeFields[] = {
    {IDC_TIME_CENTURY, duration::kCentury}, {IDC_TIME_DAY, duration::kDay},
    {IDC_TIME_DECADE, duration::kDecade},   {IDC_TIME_HOUR, duration::kHour},
    {IDC_TIME_MINUTE, duration::kMinute},   {IDC_TIME_SECOND, duration::kSecond},
    {IDC_TIME_WEEK, duration::kWeek},       {IDC_TIME_YEAR, duration::kYear},
};

constexpr UnitField kTemperatureFields[] = {
    {IDC_TEMP_CELSIUS, temperature::kCelsius},
    {IDC_TEMP_FAHRENHEIT, temperature::kFahrenheit},
    {IDC_TEMP_KELVIN, temperature::kKelvin},
};

}  // namespace

const ConverterWindow kLengthWindow{IDD_LENGTH, kLengthFields, length::kTable};
const ConverterWindow kAreaWindow{IDD_AREA, kAreaFields, area::kTable};
const ConverterWindow kVolumeWindow{IDD_VOLUME, kVolumeFields, volume::kTable};
const ConverterWindow kWeightWindow{IDD_WEIGHT, kWeightFields, weight::kTable};
const ConverterWindow kSpeedWindow{IDD_SPEED, kSpeedFields, speed::kTable};
const ConverterWindow kTimeWindow{IDD_TIME, kTimeFields, duration::kTable};
const ConverterWindow kTemperatureWindow{IDD_TEMPERATURE, kTemperatureFields, temperature::kTable};
