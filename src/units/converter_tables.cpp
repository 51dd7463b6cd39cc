// The units and rules of the seven converter windows. Fields are listed in exchange order; rules
// in the order they are stored, each unordered pair once (the matrix derives the reverse).
#include "res/resource.h"
#include "units/converter_windows.h"

namespace {

// ---- Length: 0 cm, 1 m, 2 km, 3 inch, 4 foot, 5 yard, 6 mile, 7 mm -------------------------
constexpr UnitField kLengthFields[] = {
    {IDC_LENGTH_CENTIMETRE, 0}, {IDC_LENGTH_FOOT, 4}, {IDC_LENGTH_INCH, 3},
    {IDC_LENGTH_KILOMETRE, 2},  {IDC_LENGTH_METRE, 1}, {IDC_LENGTH_MILE, 6},
    {IDC_LENGTH_YARD, 5},       {IDC_LENGTH_MILLIMETRE, 7},
};
constexpr ConversionRule kLengthRules[] = {
    {6, 2, 0, 1.609},     {6, 1, 0, 1609},        {6, 5, 0, 1759.6238},  {6, 4, 0, 5278.8714},
    {6, 3, 0, 63346.4567}, {6, 0, 0, 160900},     {6, 7, 0, 1609000},
    {2, 1, 0, 1000},      {2, 5, 0, 1093.6133},   {2, 4, 0, 3280.8399},  {2, 3, 0, 39370.0787},
    {2, 0, 0, 100000},    {2, 7, 0, 1000000},
    {1, 5, 0, 1.0936133}, {1, 4, 0, 3.2808399},   {1, 3, 0, 39.3700787}, {1, 0, 0, 100},
    {1, 7, 0, 1000},
    {5, 4, 0, 3},         {5, 3, 0, 36},          {5, 0, 0, 91.44},      {5, 7, 0, 914.4},
    {4, 3, 0, 12},        {4, 0, 0, 30.48},       {4, 7, 0, 304.8},
    {3, 0, 0, 2.54},      {3, 7, 0, 25.4},
    {0, 7, 0, 10},
};

// ---- Area: 0 sq mile, 1 sq km, 2 hectare, 3 acre, 4 sq m, 5 sq ft, 6 sq inch, 7 sq cm --------
constexpr UnitField kAreaFields[] = {
    {IDC_AREA_ACRE, 3},     {IDC_AREA_HECTARE, 2},      {IDC_AREA_SQ_CENTIMETRE, 7},
    {IDC_AREA_SQ_FOOT, 5},  {IDC_AREA_SQ_INCH, 6},      {IDC_AREA_SQ_KILOMETRE, 1},
    {IDC_AREA_SQ_METRE, 4}, {IDC_AREA_SQ_MILE, 0},
};
constexpr ConversionRule kAreaRules[] = {
    {0, 1, 0, 2.59},       {0, 2, 0, 259},         {0, 3, 0, 640},          {0, 4, 0, 2590000},
    {0, 5, 0, 27870000},   {0, 6, 0, 4014500000},  {0, 7, 0, 25900000000},
    {1, 2, 0, 100},        {1, 3, 0, 247.104},     {1, 4, 0, 1000000},      {1, 5, 0, 10760617},
    {1, 6, 0, 1550000000}, {1, 7, 0, 10000000000},
    {2, 3, 0, 2.47104},    {2, 4, 0, 10000},       {2, 5, 0, 107606.17},    {2, 6, 0, 15500000},
    {2, 7, 0, 100000000},
    {3, 4, 0, 4046.879},   {3, 5, 0, 43546.915},   {3, 6, 0, 6272662.523},  {3, 7, 0, 40468790.47},
    {4, 5, 0, 10.7606},    {4, 6, 0, 1550},        {4, 7, 0, 10000},
    {5, 6, 0, 144.044},    {5, 7, 0, 929.316},
    {6, 7, 0, 6.4516},
};

// ---- Volume: 0 litre, 1 pint, 2 quart, 3 gallon, 4 cu m, 5 cu inch, 6 cu ft, 7 cu cm ----------
constexpr UnitField kVolumeFields[] = {
    {IDC_VOLUME_PINT, 1},    {IDC_VOLUME_GALLON, 3},   {IDC_VOLUME_QUART, 2},
    {IDC_VOLUME_LITRE, 0},   {IDC_VOLUME_CU_FOOT, 6},  {IDC_VOLUME_CU_INCH, 5},
    {IDC_VOLUME_CU_METRE, 4}, {IDC_VOLUME_CU_CENTIMETRE, 7},
};
constexpr ConversionRule kVolumeRules[] = {
    {4, 6, 0, 35.319837},  {4, 3, 0, 220},          {4, 2, 0, 880},          {4, 1, 0, 1760},
    {4, 0, 0, 1000},       {4, 5, 0, 61023.37795},  {4, 7, 0, 1000000},
    {6, 3, 0, 6.22879},    {6, 2, 0, 24.91518},     {6, 1, 0, 49.830354},    {6, 0, 0, 28.3127},
    {6, 5, 0, 1727.736679}, {6, 7, 0, 28312.70144},
    {3, 2, 0, 4},          {3, 1, 0, 8},            {3, 0, 0, 4.545457},     {3, 5, 0, 277.3791826},
    {3, 7, 0, 4545.457696},
    {2, 1, 0, 2},          {2, 0, 0, 1.13636425},   {2, 5, 0, 69.344795},    {2, 7, 0, 1136.364424},
    {1, 0, 0, 0.568182125}, {1, 5, 0, 34.6723978},  {1, 7, 0, 568.182212},
    {0, 5, 0, 61.0233872}, {0, 7, 0, 1000},
    {5, 7, 0, 16.38715984},
};

// ---- Weight: 0 gram, 1 kilogram, 2 ounce, 3 pound, 4 metric ton ------------------------------
constexpr UnitField kWeightFields[] = {
    {IDC_WEIGHT_GRAM, 0}, {IDC_WEIGHT_KILOGRAM, 1}, {IDC_WEIGHT_OUNCE, 2},
    {IDC_WEIGHT_POUND, 3}, {IDC_WEIGHT_TON, 4},
};
constexpr ConversionRule kWeightRules[] = {
    {4, 1, 0, 1000}, {4, 0, 0, 1000000}, {4, 2, 0, 35000}, {4, 3, 0, 2205},
    {1, 0, 0, 1000}, {1, 2, 0, 35},      {1, 3, 0, 2.205},
    {0, 2, 0, 0.035}, {0, 3, 0, 0.002205},
    {2, 3, 0, 0.063},
};

// ---- Speed: 0 mile/h, 1 km/h, 2 m/s, 3 cm/s, 4 ft/s, 5 knot ----------------------------------
constexpr UnitField kSpeedFields[] = {
    {IDC_SPEED_CM_PER_SECOND, 3}, {IDC_SPEED_FOOT_PER_SECOND, 4},  {IDC_SPEED_KM_PER_HOUR, 1},
    {IDC_SPEED_KNOT, 5},          {IDC_SPEED_METRE_PER_SECOND, 2}, {IDC_SPEED_MILE_PER_HOUR, 0},
};
constexpr ConversionRule kSpeedRules[] = {
    {0, 1, 0, 1.609},   {0, 2, 0, 0.446944},  {0, 3, 0, 44.6944},   {0, 4, 0, 1.466353},
    {0, 5, 0, 0.868976},
    {1, 2, 0, 0.27777}, {1, 3, 0, 27.7777},   {1, 4, 0, 0.911344},  {1, 5, 0, 0.54},
    {2, 3, 0, 100},     {2, 4, 0, 3.28093},   {2, 5, 0, 1.94405},
    {3, 4, 0, 0.0328093}, {3, 5, 0, 0.0194405},
    {4, 5, 0, 0.592539},
};

// ---- Time duration: 0 century, 1 decade, 2 year, 4 week, 5 day, 6 hour, 7 minute, 8 second --
constexpr UnitField kTimeFields[] = {
    {IDC_TIME_CENTURY, 0}, {IDC_TIME_DAY, 5},    {IDC_TIME_DECADE, 1}, {IDC_TIME_HOUR, 6},
    {IDC_TIME_MINUTE, 7},  {IDC_TIME_SECOND, 8}, {IDC_TIME_WEEK, 4},   {IDC_TIME_YEAR, 2},
};
constexpr ConversionRule kTimeRules[] = {
    {0, 1, 0, 10},        {0, 2, 0, 100},      {0, 4, 0, 5217.857143}, {0, 5, 0, 36525},
    {0, 6, 0, 876600},    {0, 7, 0, 52596000}, {0, 8, 0, 3155760000},
    {1, 2, 0, 10},        {1, 4, 0, 521.7857143}, {1, 5, 0, 3652.5},   {1, 6, 0, 87660},
    {1, 7, 0, 5259600},   {1, 8, 0, 315576000},
    {2, 4, 0, 52.17857143}, {2, 5, 0, 365.25}, {2, 6, 0, 8766},        {2, 7, 0, 525960},
    {2, 8, 0, 31557600},
    {4, 5, 0, 7},         {4, 6, 0, 168},      {4, 7, 0, 10080},       {4, 8, 0, 604800},
    {5, 6, 0, 24},        {5, 7, 0, 1440},     {5, 8, 0, 86400},
    {6, 7, 0, 60},        {6, 8, 0, 3600},
    {7, 8, 0, 60},
};

// ---- Temperature: 0 Celsius, 1 Fahrenheit, 2 kelvin (the only rules with a constant term) ----
constexpr UnitField kTemperatureFields[] = {
    {IDC_TEMP_CELSIUS, 0}, {IDC_TEMP_FAHRENHEIT, 1}, {IDC_TEMP_KELVIN, 2},
};
constexpr ConversionRule kTemperatureRules[] = {
    {0, 1, 32, 1.8},
    {0, 2, 273.15, 1},
    {1, 2, 255.372222, 0.55555555},
};

}  // namespace

const ConverterTable kLengthTable{IDD_LENGTH, kLengthFields, kLengthRules, 6};
const ConverterTable kAreaTable{IDD_AREA, kAreaFields, kAreaRules, 0};
const ConverterTable kVolumeTable{IDD_VOLUME, kVolumeFields, kVolumeRules, 0};
const ConverterTable kWeightTable{IDD_WEIGHT, kWeightFields, kWeightRules, 4};
const ConverterTable kSpeedTable{IDD_SPEED, kSpeedFields, kSpeedRules, 0};
const ConverterTable kTimeTable{IDD_TIME, kTimeFields, kTimeRules, 0};
const ConverterTable kTemperatureTable{IDD_TEMPERATURE, kTemperatureFields, kTemperatureRules, 0};
