#include "convert/unit_converter.h"

#include <cmath>

CUnitConverter::CUnitConverter(const UnitTable& table) : m_table(table) {
  StoreRules();
}

CUnitConverter::CUnitConverter(const UnitTable& table, CUnitMatrix::NoTable noTable)
    : m_table(table), m_matrix(noTable) {
  StoreRules();
}

void CUnitConverter::StoreRules() {
  for (const UnitRule& rule : m_table.rules) {
    m_matrix.SetPair(rule.from, rule.to, rule.C, rule.B, 0);
  }
  m_values[m_table.startUnit] = 1;
  ConvertFrom(m_table.startUnit);
}

bool CUnitConverter::ConvertIfChanged(std::uint16_t unit, double before) {
  const double after = m_values[unit];
  if (after == before || (std::isnan(after) && std::isnan(before))) return false;
  ConvertFrom(unit);
  return true;
}

void CUnitConverter::ConvertFrom(std::uint16_t unit) {
  for (const std::uint16_t other : m_table.units) {
    if (other == unit) continue;
    m_values[other] = m_matrix.Evaluate(unit, other, m_values[unit]);
  }
}
