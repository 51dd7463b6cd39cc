#include "convert/unit_converter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A two-unit table worked by hand: b = 3a + 1.
constexpr std::uint16_t kUnits[] = {4, 7};
constexpr UnitRule kRules[] = {{4, 7, 3, 1}};
const UnitTable kTable{kUnits, kRules, 4};

TEST(UnitConverterTest, StartsWithOneOfTheStartUnitConverted) {
  CUnitConverter converter(kTable);
  EXPECT_EQ(converter.Value(4), 1);
  EXPECT_EQ(converter.Value(7), 4);
  EXPECT_EQ(converter.Value(0), 0) << "a unit the table does not have";
  // Without a matrix every converted unit holds zero.
  CUnitConverter unconverted(kTable, CUnitMatrix::NoTable{});
  EXPECT_EQ(unconverted.Value(4), 1);
  EXPECT_EQ(unconverted.Value(7), 0);
}

TEST(UnitConverterTest, ConvertsOnlyAChangedValue) {
  struct Case {
    const char* name;
    double before, after;
    bool converts;
  };
  const Case cases[] = {
      {"same value", 1, 1, false},           {"new value", 1, 2, true},
      {"NaN stays NaN", kNaN, kNaN, false},  {"number after NaN", kNaN, 1, true},
      {"NaN after a number", 1, kNaN, true},
  };
  for (const Case& c : cases) {
    CUnitConverter converter(kTable);
    converter.ValueSlot(7) = 100;  // what the field would show if nothing converted
    converter.ValueSlot(4) = c.after;
    EXPECT_EQ(converter.ConvertIfChanged(4, c.before), c.converts) << c.name;
    if (c.converts) {
      EXPECT_TRUE(converter.Value(7) == 3 * c.after + 1 || std::isnan(c.after)) << c.name;
    } else {
      EXPECT_EQ(converter.Value(7), 100) << c.name;
    }
  }
}

TEST(UnitConverterTest, TheReverseRuleIsDerived) {
  CUnitConverter converter(kTable);
  converter.ValueSlot(7) = 10;
  ASSERT_TRUE(converter.ConvertIfChanged(7, 4));
  EXPECT_DOUBLE_EQ(converter.Value(4), 3);
}

}  // namespace
