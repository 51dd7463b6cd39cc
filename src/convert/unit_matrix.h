#pragma once

#include <cstdint>
#include <memory>

#include "framework/object.h"

// Conversion rules y = A*x^2 + B*x + C between the units of one converter,
// one rule per ordered pair (source i, target j).
class CUnitMatrix : public CObject {
 public:
  static constexpr uint16_t kUnitCount = 10;

  // Selects the constructor that leaves the table absent, as when the
  // allocation fails.
  struct NoTable {};

  CUnitMatrix();
  explicit CUnitMatrix(NoTable);
  ~CUnitMatrix() override;

  CUnitMatrix(const CUnitMatrix&) = delete;
  CUnitMatrix& operator=(const CUnitMatrix&) = delete;

  bool HasTable() const;

  // Stores the rule i -> j. A linear rule also sets j -> i to its inverse
  // unless that direction already has a rule. Returns 1 when stored, 0 when
  // rejected (no table, i == j, or a unit out of range).
  int SetPair(uint16_t i, uint16_t j, double C, double B, double A);

  // Applies the rule i -> j to x; 0 without a table. i, j must be below
  // kUnitCount.
  double Evaluate(uint16_t i, uint16_t j, double x) const;

  // The x^2 coefficient of rule i -> j. Requires a table.
  double GetQuadratic(uint16_t i, uint16_t j) const;

 private:
  // Three planes of kUnitCount^2 entries: constants, then linear, then
  // quadratic coefficients, each indexed by i * kUnitCount + j.
  std::unique_ptr<double[]> m_pCoef;
};
