#include "calendar/date_dlg.h"

#include <commctrl.h>

#include "accessibility/control_names.h"
#include "convert/field_exchange.h"
#include "platform/platform.h"
#include "res/resource.h"

namespace {

// What the weekday box shows for a date the calendar refuses.
constexpr wchar_t kInvalidDate[] = L"غير صالح";

// What a screen reader says for each control. The row labels and column headings stand apart from
// the fields in the template, so the system's own rule would give three fields one name.
// clang-format off
constexpr ControlName kReaderNames[] = {
    {IDC_GREGORIAN_DAY,        L"اليوم الميلادي"},
    {IDC_GREGORIAN_MONTH,      L"الشهر الميلادي"},
    {IDC_GREGORIAN_YEAR,       L"السنة الميلادية"},
    {IDC_HIJRI_DAY,            L"اليوم الهجري"},
    {IDC_HIJRI_MONTH,          L"الشهر الهجري"},
    {IDC_HIJRI_YEAR,           L"السنة الهجرية"},
    {IDC_WEEKDAY,              L"يوم الأسبوع"},
    {IDC_GREGORIAN_DAY_SPIN,   L"أسهم اليوم الميلادي"},
    {IDC_GREGORIAN_MONTH_SPIN, L"أسهم الشهر الميلادي"},
    {IDC_GREGORIAN_YEAR_SPIN,  L"أسهم السنة الميلادية"},
    {IDC_HIJRI_DAY_SPIN,       L"أسهم اليوم الهجري"},
    {IDC_HIJRI_MONTH_SPIN,     L"أسهم الشهر الهجري"},
    {IDC_HIJRI_YEAR_SPIN,      L"أسهم السنة الهجرية"},
};
// clang-format on

constexpr DWORD kUpDownStyle =
    UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

}  // namespace

const CommandRoute CDateDlg::kRoutes[] = {
    Command(EN_CHANGE, IDC_GREGORIAN_DAY, &CDateDlg::OnChangeDate),
    Command(EN_CHANGE, IDC_GREGORIAN_MONTH, &CDateDlg::OnChangeDate),
    Command(EN_CHANGE, IDC_GREGORIAN_YEAR, &CDateDlg::OnChangeDate),
    Command(EN_CHANGE, IDC_HIJRI_DAY, &CDateDlg::OnChangeDate),
    Command(EN_CHANGE, IDC_HIJRI_MONTH, &CDateDlg::OnChangeDate),
    Command(EN_CHANGE, IDC_HIJRI_YEAR, &CDateDlg::OnChangeDate),
};
const MessageMap CDateDlg::kMessageMap{&CDialog::kMessageMap, kRoutes};

CDateDlg::CDateDlg(CWnd* pParentWnd) : CPaletteWindow(IDD_DATE, pParentWnd) {
  const SYSTEMTIME today = platform::LocalTime();
  m_gDay = static_cast<std::uint8_t>(today.wDay);
  m_gMonth = static_cast<std::uint8_t>(today.wMonth);
  m_gYear = today.wYear;
  // A clock past the calendar's last year is refused: no weekday of the engine's starting day.
  ShowWeekday(m_date.SetDate(m_gMonth, m_gDay, m_gYear, false));
  m_hMonth = m_date.m_hijri.month;
  m_hYear = m_date.m_hijri.year;
  m_hDay = m_date.m_hijri.day;
}

void CDateDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_WEEKDAY, m_strWeekday);
  DDX_ByteRange(pDX, IDC_GREGORIAN_DAY, m_gDay, 32, 0);
  DDX_ByteRange(pDX, IDC_HIJRI_DAY, m_hDay, 32, 0);
  DDX_ByteRange(pDX, IDC_GREGORIAN_MONTH, m_gMonth, 13, 0);
  DDX_ByteRange(pDX, IDC_HIJRI_MONTH, m_hMonth, 13, 0);
  // One year beyond the calendar's own: the late days of Hijri 4513 convert into it, and the
  // field must take back what the window wrote. Typed, such a year is still refused by SetDate.
  DDX_IntRange(pDX, IDC_GREGORIAN_YEAR, m_gYear, CDate::kLastConvertibleGregorianYear + 1, 1);
  DDX_IntRange(pDX, IDC_HIJRI_YEAR, m_hYear, CDate::kLastHijriYear + 1, 1);
}

BOOL CDateDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  struct UpDown {
    int id;
    int buddy;
    int upper, lower;
  };
  constexpr UpDown kUpDowns[] = {
      {IDC_GREGORIAN_YEAR_SPIN, IDC_GREGORIAN_YEAR, CDate::kLastGregorianYear,
       CDate::kFirstGregorianYear},
      {IDC_GREGORIAN_MONTH_SPIN, IDC_GREGORIAN_MONTH, 12, 1},
      {IDC_GREGORIAN_DAY_SPIN, IDC_GREGORIAN_DAY, 31, 1},
      {IDC_HIJRI_YEAR_SPIN, IDC_HIJRI_YEAR, CDate::kLastHijriYear, CDate::kFirstHijriYear},
      {IDC_HIJRI_MONTH_SPIN, IDC_HIJRI_MONTH, 12, 1},
      {IDC_HIJRI_DAY_SPIN, IDC_HIJRI_DAY, 31, 1},
  };
  for (const UpDown& u : kUpDowns) {
    // The position is read as each one is made: an up-down given a position outside its range
    // writes the nearest bound into its field, and that change converts like any other.
    CreateUpDown(kUpDownStyle, 0, 0, 8, 8, m_hWnd, u.id, AfxGetResourceHandle(),
                 GetDlgItem(u.buddy), u.upper, u.lower, FieldValue(u.buddy));
  }
  SetAccessibleNames(m_hWnd, kReaderNames);
  return TRUE;
}

int CDateDlg::FieldValue(UINT controlId) const {
  switch (controlId) {
    case IDC_GREGORIAN_DAY:
      return m_gDay;
    case IDC_GREGORIAN_MONTH:
      return m_gMonth;
    case IDC_GREGORIAN_YEAR:
      return m_gYear;
    case IDC_HIJRI_DAY:
      return m_hDay;
    case IDC_HIJRI_MONTH:
      return m_hMonth;
    default:
      return m_hYear;
  }
}

bool CDateDlg::ReadChangedField(UINT controlId) {
  const int before = FieldValue(controlId);
  UpdateData(true);
  return FieldValue(controlId) != before;
}

void CDateDlg::ShowWeekday(bool converted) {
  if (!converted || !CDate::GetWeekdayName(CDate::WeekdayIndex(m_date.m_gregorian), m_strWeekday)) {
    m_strWeekday = kInvalidDate;
  }
}

CDateDlg::DateFields CDateDlg::Fields(bool hijri) {
  return hijri ? DateFields{m_hDay, m_hMonth, m_hYear} : DateFields{m_gDay, m_gMonth, m_gYear};
}

void CDateDlg::OnChangeDate(UINT controlId) {
  if (!ReadChangedField(controlId)) return;
  const bool hijri =
      controlId == IDC_HIJRI_DAY || controlId == IDC_HIJRI_MONTH || controlId == IDC_HIJRI_YEAR;
  const DateFields changed = Fields(hijri);
  const bool converted = m_date.SetDate(changed.month, changed.day, changed.year, hijri);
  ShowWeekday(converted);
  // A refused date leaves the other calendar's fields on the last date that converted.
  if (converted) {
    const DateFields other = Fields(!hijri);
    const DateParts& date = hijri ? m_date.m_gregorian : m_date.m_hijri;
    other.day = date.day;
    other.month = date.month;
    other.year = date.year;
  }
  UpdateData(false);
}
