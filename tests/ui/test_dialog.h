#pragma once

#include <string>
#include <vector>

#include "convert/field_exchange.h"
#include "framework/dialog.h"
#include "test_resource.h"
#include "test_support.h"

// The test-only window: three number fields, one year field, and a record of every change
// notification its handlers were given.
class CExchangeTestDlg : public CDialog {
 public:
  CExchangeTestDlg() : CDialog(IDD_EXCHANGE_TEST) {}

  double m_first = 1;
  double m_second = 2;
  double m_third = 3;
  int m_year = 1996;

  std::vector<UINT> m_changes;  // the identifiers whose EN_CHANGE reached a handler

  std::wstring Text(int id) const { return TextOf(GetDlgItem(id)); }
  // What typing over a field's whole text amounts to: the user's new text (which sets the field's
  // modify flag), then its EN_CHANGE.
  void Type(int id, const wchar_t* text) {
    SendMessageW(GetDlgItem(id), EM_SETSEL, 0, -1);
    SendMessageW(GetDlgItem(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnChangeNumber(UINT id) { m_changes.push_back(id); }
  void OnChangeYear() { m_changes.push_back(IDC_YEAR); }

  DECLARE_MESSAGE_MAP()
};
