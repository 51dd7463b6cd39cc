// Every rule of the seven converters against the physical sizes of its units.
#include <gtest/gtest.h>

#include <cmath>

#include "convert/unit_converter.h"
#include "unit_sizes.h"

namespace {

using namespace unit_sizes;

// The design's rounded factors (the ounce as 1/35 kg is the widest, 0.8 %) stay inside.
constexpr double kTolerance = 0.01;

double Converted(CUnitConverter& converter, std::uint16_t from, std::uint16_t to, double x) {
  converter.ValueSlot(from) = x;
  converter.ConvertFrom(from);
  return converter.Value(to);
}

TEST(UnitPhysicsTest, EveryLinearPairAgreesWithTheUnitsDefinitions) {
  int pairs = 0;
  for (const LinearQuantity& q : kLinearQuantities) {
    CUnitConverter converter(q.table);
    ASSERT_EQ(q.table.units.size(), q.sizes.size()) << q.name << ": a unit without its size";
    for (const std::uint16_t from : q.table.units) {
      for (const std::uint16_t to : q.table.units) {
        if (from == to) continue;
        const double expected = SizeOf(q.sizes, from) / SizeOf(q.sizes, to);
        ASSERT_GT(expected, 0) << q.name << ": unit " << from << " or " << to << " has no size";
        const double got = Converted(converter, from, to, 1);
        EXPECT_NEAR(got / expected, 1, kTolerance)
            << q.name << ": 1 of unit " << from << " is " << expected << " of unit " << to
            << ", the program says " << got;
        ++pairs;
      }
    }
  }
  EXPECT_EQ(pairs, 274) << "every ordered pair of the six linear converters";
}

TEST(UnitPhysicsTest, EveryTemperaturePairFollowsTheScalesDefinitions) {
  CUnitConverter converter(temperature::kTable);
  int pairs = 0;
  for (const std::uint16_t from : temperature::kTable.units) {
    for (const std::uint16_t to : temperature::kTable.units) {
      if (from == to) continue;
      ++pairs;
      for (const double t : {-459.67, -273.15, -40.0, 0.0, 32.0, 100.0, 212.0, 373.15, 1000.0}) {
        const double expected = FromKelvin(to, ToKelvin(from, t));
        EXPECT_NEAR(Converted(converter, from, to, t), expected,
                    kTolerance * std::fabs(expected) + 1e-3)
            << t << " in unit " << from << " to unit " << to;
      }
    }
  }
  EXPECT_EQ(pairs, 6);
}

}  // namespace
