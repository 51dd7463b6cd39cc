#pragma once

#include <cstdint>
#include <span>

#include "convert/unit_converter.h"
#include "framework/dialog.h"
#include "pictures/palette_window.h"

// One field of a converter window: the edit control and the unit it shows.
struct UnitField {
  int control;
  std::uint16_t unit;
};

// What makes one converter window different from the others: its template, which field shows
// which unit, and the units and rules behind them.
struct ConverterWindow {
  UINT templateId;
  std::span<const UnitField> fields;  // in exchange order
  const UnitTable& units;
};

// A window that converts one quantity between its units as the user types: every field's change
// converts its value into all the other fields. Negative values are drawn in red.
class CConverterDlg : public CPaletteWindow<CDialog> {
 public:
  explicit CConverterDlg(const ConverterWindow& window);
  // With an absent matrix every converted field shows 0, as when its memory cannot be had.
  CConverterDlg(const ConverterWindow& window, CUnitMatrix::NoTable);

  double Value(std::uint16_t unit) const { return m_converter.Value(unit); }
  const ConverterWindow& Window() const { return m_window; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  HBRUSH OnCtlColor(HDC hdc, HWND hwndControl, UINT nCtlColor) override;
  void OnFieldChange(UINT controlId);

  DECLARE_MESSAGE_MAP()

 private:
  const ConverterWindow& m_window;
  CUnitConverter m_converter;
};
