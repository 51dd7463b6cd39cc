#include "units/converter_dlg.h"

#include <cmath>

#include "convert/field_exchange.h"
#include "convert/number_text.h"
#include "panel/panel_palette.h"

const CommandRoute CConverterDlg::kRoutes[] = {
    // Every field's change has the same handler; it finds the field by its identifier.
    CommandRange(EN_CHANGE, 0, 0xFFFF, &CConverterDlg::OnFieldChange),
};
const MessageMap CConverterDlg::kMessageMap{&CDialog::kMessageMap, kRoutes};

CConverterDlg::CConverterDlg(const ConverterTable& table)
    : CDialog(table.templateId), m_table(table) {
  StoreRules();
  ConvertFrom(table.startUnit);
}

CConverterDlg::CConverterDlg(const ConverterTable& table, CUnitMatrix::NoTable noTable)
    : CDialog(table.templateId), m_table(table), m_matrix(noTable) {
  StoreRules();
  ConvertFrom(table.startUnit);
}

void CConverterDlg::StoreRules() {
  for (const ConversionRule& rule : m_table.rules) {
    m_matrix.SetPair(rule.from, rule.to, rule.C, rule.B, 0);
  }
  m_values[m_table.startUnit] = 1;
}

// Sets every other unit from the value of this one.
void CConverterDlg::ConvertFrom(std::uint16_t unit) {
  for (const UnitField& field : m_table.fields) {
    if (field.unit == unit) continue;
    m_values[field.unit] =
        m_matrix.HasTable() ? m_matrix.Evaluate(unit, field.unit, m_values[unit]) : 0;
  }
}

void CConverterDlg::DoDataExchange(CDataExchange* pDX) {
  for (const UnitField& field : m_table.fields) {
    DDX_Number(pDX, field.control, m_values[field.unit]);
  }
}

void CConverterDlg::OnFieldChange(UINT controlId) {
  const UnitField* changed = nullptr;
  for (const UnitField& field : m_table.fields) {
    if (static_cast<UINT>(field.control) == controlId) changed = &field;
  }
  if (!changed) return;

  // The exchange's own writes never reach this handler, so the change is the user's: the field is
  // read even when its text is one the program could have written.
  SendMessageW(GetDlgItem(changed->control), EM_SETMODIFY, TRUE, 0);
  const double before = m_values[changed->unit];
  UpdateData(true);
  const double after = m_values[changed->unit];
  // An unchanged value (however it is written) converts nothing. A value that could not be
  // shown before (NaN) is not "unchanged": whatever the user types now is converted.
  if (after == before || (std::isnan(after) && std::isnan(before))) return;
  ConvertFrom(changed->unit);
  UpdateData(false);
}

void CConverterDlg::OnActivate(UINT state, HWND hwndOther, BOOL bMinimized) {
  CDialog::OnActivate(state, hwndOther, bMinimized);
  if (state != WA_INACTIVE) {
    RealizePanelPalette(this, dynamic_cast<CFrameWnd*>(AfxGetMainWnd()));
  }
}

HBRUSH CConverterDlg::OnCtlColor(HDC hdc, HWND hwndControl, UINT nCtlColor) {
  const HBRUSH brush = CDialog::OnCtlColor(hdc, hwndControl, nCtlColor);
  // Red for a text that starts with a negative number; "-0.00000000" and "-" are not negative.
  if (nCtlColor == CTLCOLOR_EDIT && ParseNumberPrefix(ReadFieldText(hwndControl)) < 0) {
    SetTextColor(hdc, RGB(255, 0, 0));
  }
  return brush;
}
