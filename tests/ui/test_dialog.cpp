#include "test_dialog.h"

const CommandRoute CExchangeTestDlg::kRoutes[] = {
    CommandRange(EN_CHANGE, IDC_FIRST, IDC_THIRD, &CExchangeTestDlg::OnChangeNumber),
    Command(EN_CHANGE, IDC_YEAR, &CExchangeTestDlg::OnChangeYear),
};
const MessageMap CExchangeTestDlg::kMessageMap{&CDialog::kMessageMap, kRoutes};

void CExchangeTestDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Number(pDX, IDC_FIRST, m_first);
  DDX_Number(pDX, IDC_SECOND, m_second);
  DDX_Number(pDX, IDC_THIRD, m_third);
  DDX_IntRange(pDX, IDC_YEAR, m_year, 5001, 1);
}
