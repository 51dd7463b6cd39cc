#include "convert/unit_matrix.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Every pair, the diagonal included, still evaluates to zero.
void ExpectAllPairsZero(const CUnitMatrix& matrix) {
  for (uint16_t i = 0; i < CUnitMatrix::kUnitCount; ++i) {
    for (uint16_t j = 0; j < CUnitMatrix::kUnitCount; ++j) {
      for (double x : {0.0, -3.5, 1e300}) {
        EXPECT_EQ(matrix.Evaluate(i, j, x), 0.0) << i << "->" << j << " x=" << x;
      }
      EXPECT_EQ(matrix.GetQuadratic(i, j), 0.0) << i << "->" << j;
    }
  }
}

// Fresh, and after a rejected pair.
TEST(UnitMatrixTest, FreshMatrixHasZeroRulesWithoutIdentityAndRejectedPairsChangeNothing) {
  CUnitMatrix fresh;
  ASSERT_TRUE(fresh.HasTable());
  ExpectAllPairsZero(fresh);
  struct Case {
    uint16_t i, j;
  };
  // Unchecked, the out-of-range units would index inside the table.
  for (Case c : {Case{3, 3}, Case{10, 1}, Case{1, 10}, Case{0, 29}}) {
    CUnitMatrix matrix;
    EXPECT_EQ(matrix.SetPair(c.i, c.j, 5, 2, 3), 0) << c.i << "->" << c.j;
    ExpectAllPairsZero(matrix);
  }
}

TEST(UnitMatrixTest, LinearRuleDerivesItsInverse) {
  CUnitMatrix matrix;
  ASSERT_EQ(matrix.SetPair(0, 1, 32, 1.8, 0), 1);
  EXPECT_DOUBLE_EQ(matrix.Evaluate(0, 1, 100), 212);
  EXPECT_DOUBLE_EQ(matrix.Evaluate(1, 0, 212), 100);
  EXPECT_EQ(matrix.Evaluate(1, 0, 0), -32 / 1.8);
}

TEST(UnitMatrixTest, InverseOfZeroConstantRuleCountsAsSet) {
  CUnitMatrix matrix;
  ASSERT_EQ(matrix.SetPair(4, 5, 0, 1.8, 0), 1);
  EXPECT_EQ(matrix.Evaluate(5, 4, 1), 1 / 1.8);
  EXPECT_EQ(matrix.Evaluate(5, 4, 0), 0.0);
  // The derived rule has only B, yet must keep 5->4 from being inverted back.
  ASSERT_EQ(matrix.SetPair(5, 4, 7, 3, 0), 1);
  EXPECT_EQ(matrix.Evaluate(5, 4, 1), 10);
  EXPECT_DOUBLE_EQ(matrix.Evaluate(4, 5, 10), 18);
}

TEST(UnitMatrixTest, ExplicitRuleReplacesDerivedOneWithoutRederiving) {
  CUnitMatrix matrix;
  ASSERT_EQ(matrix.SetPair(0, 2, 273.15, 1, 0), 1);
  EXPECT_DOUBLE_EQ(matrix.Evaluate(2, 0, 274.15), 1);
  ASSERT_EQ(matrix.SetPair(2, 0, 5, 2, 0), 1);
  EXPECT_EQ(matrix.Evaluate(2, 0, 1), 7);
  EXPECT_DOUBLE_EQ(matrix.Evaluate(0, 2, 1), 274.15);
}

TEST(UnitMatrixTest, QuadraticRuleHasNoInverse) {
  CUnitMatrix matrix;
  ASSERT_EQ(matrix.SetPair(1, 2, 0, 0, 1), 1);
  EXPECT_EQ(matrix.Evaluate(1, 2, 3), 9);
  EXPECT_EQ(matrix.GetQuadratic(1, 2), 1);
  EXPECT_EQ(matrix.Evaluate(2, 1, 5), 0);
  ASSERT_EQ(matrix.SetPair(1, 2, 1, 2, 3), 1);
  EXPECT_EQ(matrix.Evaluate(1, 2, 2), 17);
}

TEST(UnitMatrixTest, NegativeZeroCountsAsZero) {
  CUnitMatrix matrix;
  // A -0 quadratic term makes a linear rule: the old term stays, the inverse
  // is derived.
  ASSERT_EQ(matrix.SetPair(1, 2, 0, 0, 1), 1);
  ASSERT_EQ(matrix.SetPair(1, 2, 5, 1, -0.0), 1);
  EXPECT_EQ(matrix.GetQuadratic(1, 2), 1);
  EXPECT_EQ(matrix.Evaluate(1, 2, 2), 11);
  EXPECT_EQ(matrix.Evaluate(2, 1, 10), 5);
  // A reverse holding only -0 coefficients is unset, so C = -0.5 and B = 0.25
  // are derived next to its quadratic term.
  ASSERT_EQ(matrix.SetPair(4, 3, -0.0, -0.0, 1), 1);
  ASSERT_EQ(matrix.SetPair(3, 4, 2, 4, 0), 1);
  EXPECT_EQ(matrix.Evaluate(4, 3, 3), 9.25);
}

TEST(UnitMatrixTest, EvaluatesInHornerOrder) {
  CUnitMatrix matrix;
  ASSERT_EQ(matrix.SetPair(6, 7, 0, 0x1p53, 1), 1);
  // x*A + B = 2^53 + 3 rounds to 2^53 + 4; expanding A*x*x + B*x would give
  // 3*2^53 + 8 instead.
  EXPECT_EQ(matrix.Evaluate(6, 7, 3), 3 * 0x1p53 + 12);
}

TEST(UnitMatrixTest, AbsentTableRejectsAndEvaluatesToZero) {
  CUnitMatrix matrix{CUnitMatrix::NoTable{}};
  EXPECT_FALSE(matrix.HasTable());
  EXPECT_EQ(matrix.SetPair(0, 1, 32, 1.8, 0), 0);
  EXPECT_EQ(matrix.Evaluate(0, 1, 100), 0.0);
}

}  // namespace
