#include "test_dialog.h"

#include "framework/platform.h"

namespace {
int g_beeps = 0;
platform::BeepFn g_previousBeep = nullptr;
}  // namespace

BeepCounter::BeepCounter() {
  g_beeps = 0;
  g_previousBeep = platform::SetBeepForTesting([] { ++g_beeps; });
}
BeepCounter::~BeepCounter() { platform::SetBeepForTesting(g_previousBeep); }
int BeepCounter::count() const { return g_beeps; }

std::wstring TextOf(HWND control) {
  std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
  text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
  return text;
}

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
