#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "convert/unit_matrix.h"
#include "framework/dialog.h"

// One field of a converter window: the edit control and the unit it shows.
struct UnitField {
  int control;
  std::uint16_t unit;
};

// One conversion rule, to = B * from + C; the matrix derives the reverse.
struct ConversionRule {
  std::uint16_t from;
  std::uint16_t to;
  double C;
  double B;
};

// Everything that makes one converter window different from the others.
struct ConverterTable {
  UINT templateId;
  std::span<const UnitField> fields;  // in exchange order
  std::span<const ConversionRule> rules;  // in the order they are stored
  std::uint16_t startUnit;  // shows 1 when the window opens
};

// A window that converts one quantity between its units as the user types: every field's change
// converts its value into all the other fields. Negative values are drawn in red.
class CConverterDlg : public CDialog {
 public:
  explicit CConverterDlg(const ConverterTable& table);
  // With an absent matrix every converted field shows 0, as when its memory cannot be had.
  CConverterDlg(const ConverterTable& table, CUnitMatrix::NoTable);

  double Value(std::uint16_t unit) const { return m_values[unit]; }
  const ConverterTable& Table() const { return m_table; }
  const CUnitMatrix& Matrix() const { return m_matrix; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnActivate(UINT state, HWND hwndOther, BOOL bMinimized) override;
  HBRUSH OnCtlColor(HDC hdc, HWND hwndControl, UINT nCtlColor) override;
  void OnFieldChange(UINT controlId);

  DECLARE_MESSAGE_MAP()

 private:
  void StoreRules();
  void ConvertFrom(std::uint16_t unit);

  const ConverterTable& m_table;
  CUnitMatrix m_matrix;
  std::array<double, CUnitMatrix::kUnitCount> m_values{};  // one value per unit
};
