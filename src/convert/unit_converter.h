#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "convert/unit_matrix.h"

// One rule, to = B * from + C; the matrix derives the reverse.
struct UnitRule {
  std::uint16_t from;
  std::uint16_t to;
  double B;
  double C = 0;
};

// A converter's units and rules, as data.
struct UnitTable {
  std::span<const std::uint16_t> units;  // every unit the converter has
  std::span<const UnitRule> rules;       // in the order they are stored, each unordered pair once
  std::uint16_t startUnit;               // holds 1 when the converter starts
};

// One converter's values, one per unit, kept consistent through the table's rules: whichever unit
// the user changed is converted into all the others. Knows nothing of the window that shows it.
class CUnitConverter {
 public:
  // Every unit holds the start unit's 1 converted.
  explicit CUnitConverter(const UnitTable& table);
  // With an absent matrix every converted unit holds 0, as when its memory cannot be had.
  CUnitConverter(const UnitTable& table, CUnitMatrix::NoTable);

  CUnitConverter(const CUnitConverter&) = delete;
  CUnitConverter& operator=(const CUnitConverter&) = delete;

  double Value(std::uint16_t unit) const { return m_values[unit]; }
  // Where a unit's value lives, for the window's field exchange to read and write.
  double& ValueSlot(std::uint16_t unit) { return m_values[unit]; }

  // After one unit's value was replaced (it held `before`): when the value changed, converts it
  // into every other unit and returns true. However it was written, an unchanged value converts
  // nothing; NaN (a value no field can show) counts as unchanged only when it stays NaN.
  bool ConvertIfChanged(std::uint16_t unit, double before);

  // Sets every other unit from this one's value.
  void ConvertFrom(std::uint16_t unit);

 private:
  void StoreRules();

  const UnitTable& m_table;
  CUnitMatrix m_matrix;
  std::array<double, CUnitMatrix::kUnitCount> m_values{};
};
