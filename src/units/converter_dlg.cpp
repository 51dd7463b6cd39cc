#include "units/converter_dlg.h"

#include "convert/field_exchange.h"
#include "convert/number_text.h"

const CommandRoute CConverterDlg::kRoutes[] = {
    // Every field's change has the same handler; it finds the field by its identifier.
    CommandRange(EN_CHANGE, 0, 0xFFFF, &CConverterDlg::OnFieldChange),
};
const MessageMap CConverterDlg::kMessageMap{&CDialog::kMessageMap, kRoutes};

CConverterDlg::CConverterDlg(const ConverterWindow& window)
    : CPaletteWindow(window.templateId), m_window(window), m_converter(window.units) {}

CConverterDlg::CConverterDlg(const ConverterWindow& window, CUnitMatrix::NoTable noTable)
    : CPaletteWindow(window.templateId), m_window(window), m_converter(window.units, noTable) {}

void CConverterDlg::DoDataExchange(CDataExchange* pDX) {
  for (const UnitField& field : m_window.fields) {
    DDX_Number(pDX, field.control, m_converter.ValueSlot(field.unit));
  }
}

void CConverterDlg::OnFieldChange(UINT controlId) {
  const UnitField* changed = nullptr;
  for (const UnitField& field : m_window.fields) {
    if (static_cast<UINT>(field.control) == controlId) changed = &field;
  }
  if (!changed) return;

  // The exchange's own writes never reach this handler, so the change is the user's: the field is
  // read even when its text is one the program could have written.
  SendMessageW(GetDlgItem(changed->control), EM_SETMODIFY, TRUE, 0);
  const double before = m_converter.Value(changed->unit);
  UpdateData(true);
  if (!m_converter.ConvertIfChanged(changed->unit, before)) return;
  UpdateData(false);
}

HBRUSH CConverterDlg::OnCtlColor(HDC hdc, HWND hwndControl, UINT nCtlColor) {
  const HBRUSH brush = CDialog::OnCtlColor(hdc, hwndControl, nCtlColor);
  // Red for a text that starts with a negative number; "-0.00000000" and "-" are not negative.
  if (nCtlColor == CTLCOLOR_EDIT && ParseNumberPrefix(ReadFieldText(hwndControl)) < 0) {
    SetTextColor(hdc, RGB(255, 0, 0));
  }
  return brush;
}
