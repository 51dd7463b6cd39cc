#include "convert/unit_matrix.h"

#include <new>

namespace {

constexpr std::size_t kPlaneSize = std::size_t{CUnitMatrix::kUnitCount} * CUnitMatrix::kUnitCount;
constexpr std::size_t kLinearPlane = kPlaneSize;
constexpr std::size_t kQuadraticPlane = 2 * kPlaneSize;
constexpr std::size_t kCoefCount = 3 * kPlaneSize;

std::size_t PairIndex(uint16_t i, uint16_t j) {
  return std::size_t{i} * CUnitMatrix::kUnitCount + j;
}

// Negative zero compares equal to zero, so it counts as zero too.
bool IsNonZero(double coefficient) {
  return coefficient != 0.0;
}

}  // namespace

// nothrow: a failed allocation leaves the converter without a table instead
// of ending the program.
CUnitMatrix::CUnitMatrix() : m_pCoef(new (std::nothrow) double[kCoefCount]()) {}

CUnitMatrix::CUnitMatrix(NoTable) {}

CUnitMatrix::~CUnitMatrix() = default;

bool CUnitMatrix::HasTable() const {
  return m_pCoef != nullptr;
}

int CUnitMatrix::SetPair(uint16_t i, uint16_t j, double C, double B, double A) {
  if (!HasTable() || i == j || i >= kUnitCount || j >= kUnitCount) return 0;
  double* coef = m_pCoef.get();
  const std::size_t k = PairIndex(i, j);
  coef[k] = C;
  coef[kLinearPlane + k] = B;
  // A quadratic rule has no single inverse, so its reverse is left alone.
  if (IsNonZero(A)) {
    coef[kQuadraticPlane + k] = A;
    return 1;
  }
  const std::size_t r = PairIndex(j, i);
  const bool reverseIsSet = IsNonZero(coef[r]) || IsNonZero(coef[kLinearPlane + r]);
  if (!reverseIsSet) {
    coef[r] = -(C / B);
    coef[kLinearPlane + r] = 1 / B;
  }
  return 1;
}

double CUnitMatrix::Evaluate(uint16_t i, uint16_t j, double x) const {
  if (!HasTable()) return 0.0;
  const double* coef = m_pCoef.get();
  const std::size_t k = PairIndex(i, j);
  // Horner order, one rounding per step, so every build shows the same digits.
  const double inner = x * coef[kQuadraticPlane + k] + coef[kLinearPlane + k];
  return x * inner + coef[k];
}

double CUnitMatrix::GetQuadratic(uint16_t i, uint16_t j) const {
  return m_pCoef[kQuadraticPlane + PairIndex(i, j)];
}
