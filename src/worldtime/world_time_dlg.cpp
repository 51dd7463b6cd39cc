#include "worldtime/world_time_dlg.h"

#include <commctrl.h>

#include "convert/field_exchange.h"
#include "framework/accessible.h"
#include "framework/app.h"
#include "framework/platform.h"
#include "panel/panel_palette.h"
#include "res/resource.h"
#include "worldtime/country_offsets.h"

namespace {

constexpr int kHoursPerDay = 24;
constexpr int kMinutesPerHour = 60;

std::int32_t ComputerOffsetCode() {
  TIME_ZONE_INFORMATION zone{};
  const DWORD state = platform::TimeZone(zone);
  return LocalOffsetCode(static_cast<ZoneState>(state), zone.Bias, zone.StandardBias,
                         zone.DaylightBias);
}

// What a screen reader says for the controls whose names never change; NameClock names the place
// clocks after their places.
constexpr wchar_t kFirstPlaceName[] = L"البلد الأول";
constexpr wchar_t kSecondPlaceName[] = L"البلد الثاني";
// clang-format off
constexpr ControlName kReaderNames[] = {
    {IDC_WT_LOCAL_TIME,        L"التوقيت المحلي"},
    {IDC_WT_LOCAL_HOUR_SPIN,   L"ساعة التوقيت المحلي"},
    {IDC_WT_LOCAL_MINUTE_SPIN, L"دقيقة التوقيت المحلي"},
    {IDC_WT_FIRST_PLACE,       kFirstPlaceName},
    {IDC_WT_SECOND_PLACE,      kSecondPlaceName},
};
// clang-format on
constexpr wchar_t kClockName[] = L"توقيت ";
constexpr wchar_t kHourName[] = L"ساعة ";
constexpr wchar_t kMinuteName[] = L"دقيقة ";

// The text of a list's chosen row without the spaces some place names end with; empty when no
// row is chosen.
std::wstring ChosenText(HWND list) {
  const auto row = static_cast<WPARAM>(SendMessageW(list, CB_GETCURSEL, 0, 0));
  const auto length = static_cast<int>(SendMessageW(list, CB_GETLBTEXTLEN, row, 0));
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(list, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 && copied <= length ? static_cast<std::size_t>(copied) : 0);
  const std::size_t end = text.find_last_not_of(L' ');
  text.resize(end == std::wstring::npos ? 0 : end + 1);
  return text;
}

// value + step wrapped into 0 to range - 1. Wide, so that no step can overflow.
int Wrap(int value, int step, int range) {
  const long long wrapped = (static_cast<long long>(value) + step) % range;
  return static_cast<int>(wrapped < 0 ? wrapped + range : wrapped);
}

// An up-down control answers the arrow keys only through its buddy field, and these have none:
// left alone, the dialog manager would take the keys to move the focus, and the focus that the
// time boxes hand over would be of no use. So the spin buttons ask for the arrow keys and step on
// them as on a click of their arrows: the same UDN_DELTAPOS, then their own position.
LRESULT CALLBACK ArrowKeysProc(HWND spin, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR) {
  switch (message) {
    case WM_GETDLGCODE:
      return DefSubclassProc(spin, message, wParam, lParam) | DLGC_WANTARROWS;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (wParam != VK_UP && wParam != VK_DOWN) break;
      if (message == WM_KEYDOWN) {
        NMUPDOWN change{};
        change.hdr.hwndFrom = spin;
        change.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(spin));
        change.hdr.code = UDN_DELTAPOS;
        change.iPos = static_cast<int>(SendMessageW(spin, UDM_GETPOS32, 0, 0));
        change.iDelta = wParam == VK_UP ? 1 : -1;
        if (!SendMessageW(GetParent(spin), WM_NOTIFY, change.hdr.idFrom,
                          reinterpret_cast<LPARAM>(&change))) {
          int lower = 0;
          int upper = 0;
          SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                       reinterpret_cast<LPARAM>(&upper));
          const int range = upper - lower + 1;
          const int pos = static_cast<int>(SendMessageW(spin, UDM_GETPOS32, 0, 0));
          if (range > 0) {
            SendMessageW(spin, UDM_SETPOS32, 0, lower + Wrap(pos - lower, change.iDelta, range));
          }
        }
      }
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(spin, ArrowKeysProc, id);
      break;
  }
  return DefSubclassProc(spin, message, wParam, lParam);
}

}  // namespace

const CommandRoute CWorldTimeDlg::kRoutes[] = {
    Command(CBN_SELCHANGE, IDC_WT_FIRST_PLACE, &CWorldTimeDlg::OnSelChangeFirstPlace),
    Command(CBN_SELCHANGE, IDC_WT_SECOND_PLACE, &CWorldTimeDlg::OnSelChangeSecondPlace),
    Command(BN_CLICKED, IDC_WT_LOCAL_NOW, &CWorldTimeDlg::SetLocalTimeNow),
    Command(BN_CLICKED, IDC_WT_24_HOUR, &CWorldTimeDlg::On24Hour),
    CommandRange(EN_SETFOCUS, IDC_WT_FIRST_TIME, IDC_WT_LOCAL_TIME, &CWorldTimeDlg::OnSetFocusTime),
};
const MessageMap CWorldTimeDlg::kMessageMap{&CDialog::kMessageMap, kRoutes};

CWorldTimeDlg::CWorldTimeDlg(CWnd* pParentWnd)
    : CDialog(IDD_WORLDTIME, pParentWnd), m_localOffset(ComputerOffsetCode()) {}

void CWorldTimeDlg::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, IDC_WT_LOCAL_MINUTE_SPIN, m_spinLocalMinute);
  DDX_Control(pDX, IDC_WT_LOCAL_HOUR_SPIN, m_spinLocalHour);
  DDX_Control(pDX, IDC_WT_SECOND_MINUTE_SPIN, m_spinCountry2Minute);
  DDX_Control(pDX, IDC_WT_SECOND_HOUR_SPIN, m_spinCountry2Hour);
  DDX_Control(pDX, IDC_WT_FIRST_MINUTE_SPIN, m_spinCountry1Minute);
  DDX_Control(pDX, IDC_WT_FIRST_HOUR_SPIN, m_spinCountry1Hour);
  DDX_Control(pDX, IDC_WT_SECOND_PLACE, m_comboCountry2);
  DDX_Control(pDX, IDC_WT_FIRST_PLACE, m_comboCountry1);
  DDX_Text(pDX, IDC_WT_FIRST_TIME, m_strCountry1Time);
  DDX_Text(pDX, IDC_WT_SECOND_TIME, m_strCountry2Time);
  DDX_Text(pDX, IDC_WT_LOCAL_TIME, m_strLocalTime);
  DDX_Check(pDX, IDC_WT_24_HOUR, m_b24Hour);
}

BOOL CWorldTimeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  UseDigitalFont();
  const std::wstring timeFormat = platform::UserLocaleInfo(LOCALE_ITIME);
  m_b24Hour = !timeFormat.empty() && timeFormat[0] == L'1';
  FillPlaceLists();
  SelectStoredPlace(m_comboCountry1, kFirstPlaceEntry, kDefaultFirstPlace);
  SelectStoredPlace(m_comboCountry2, kSecondPlaceEntry, kDefaultSecondPlace);
  SetAccessibleNames(m_hWnd, kReaderNames);
  NameClock(kFirstPlace);
  NameClock(kSecondPlace);
  // Upper above lower, so that the up arrow steps forward.
  for (const HWND spin : {m_spinLocalHour, m_spinCountry1Hour, m_spinCountry2Hour}) {
    SendMessageW(spin, UDM_SETRANGE, 0, MAKELPARAM(kHoursPerDay - 1, 0));
  }
  for (const HWND spin : {m_spinLocalMinute, m_spinCountry1Minute, m_spinCountry2Minute}) {
    SendMessageW(spin, UDM_SETRANGE, 0, MAKELPARAM(kMinutesPerHour - 1, 0));
  }
  for (const HWND spin : {m_spinLocalHour, m_spinCountry1Hour, m_spinCountry2Hour,
                          m_spinLocalMinute, m_spinCountry1Minute, m_spinCountry2Minute}) {
    if (spin) SetWindowSubclass(spin, ArrowKeysProc, 0, 0);
  }
  SetLocalTimeNow();
  return TRUE;
}

// The clocks keep the window's font unless the computer has a raster font of the digital family.
void CWorldTimeDlg::UseDigitalFont() {
  LOGFONTW found{};
  {
    const ClientDC screen(nullptr);
    if (!screen.get() ||
        platform::EnumFontFamily(screen.get(), kDigitalFontFamily, EnumRasterFontProc,
                                 reinterpret_cast<LPARAM>(&found)) != 0 ||
        found.lfFaceName[0] == L'\0') {
      return;
    }
  }
  m_hDigitalFont.reset(CreateFontIndirectW(&found));
  if (!m_hDigitalFont) return;
  for (const int id : {IDC_WT_LOCAL_TIME, IDC_WT_FIRST_TIME, IDC_WT_SECOND_TIME}) {
    SendMessageW(GetDlgItem(id), WM_SETFONT, reinterpret_cast<WPARAM>(m_hDigitalFont.get()), TRUE);
  }
}

void CWorldTimeDlg::FillPlaceLists() {
  for (int row = 0; row < kPlaceCount; ++row) {
    // A name that cannot be loaded leaves its row empty rather than moving the rows after it.
    const wchar_t* resource = nullptr;
    const int length = LoadStringW(AfxGetResourceHandle(), kFirstPlaceNameId + row,
                                   reinterpret_cast<wchar_t*>(&resource), 0);
    const std::wstring name =
        resource && length > 0 ? std::wstring(resource, static_cast<std::size_t>(length)) : L"";
    for (const HWND list : {m_comboCountry1, m_comboCountry2}) {
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
  }
}

void CWorldTimeDlg::SelectStoredPlace(HWND list, const wchar_t* entry, int defaultRow) {
  const CWinApp* pApp = AfxGetApp();
  const int row =
      pApp ? static_cast<int>(pApp->GetProfileInt(kSection, entry, defaultRow)) : defaultRow;
  // A stored row outside the table selects nothing; that place keeps the computer's own time
  // until the user picks one.
  SendMessageW(list, CB_SETCURSEL, IsPlaceRow(row) ? static_cast<WPARAM>(row) : WPARAM(-1), 0);
}

void CWorldTimeDlg::StorePlace(HWND list, const wchar_t* entry) {
  const auto row = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
  if (const CWinApp* pApp = AfxGetApp()) pApp->WriteProfileInt(kSection, entry, row);
}

void CWorldTimeDlg::NameClock(Clock clock) {
  const bool first = clock == kFirstPlace;
  std::wstring place = ChosenText(first ? m_comboCountry1 : m_comboCountry2);
  // With no place chosen the clock keeps the computer's time: it reads as its list.
  if (place.empty()) place = first ? kFirstPlaceName : kSecondPlaceName;
  const std::wstring name = kClockName + place;
  SetAccessibleName(GetDlgItem(first ? IDC_WT_FIRST_TIME : IDC_WT_SECOND_TIME), name);
  SetAccessibleName(first ? m_spinCountry1Hour : m_spinCountry2Hour, kHourName + name);
  SetAccessibleName(first ? m_spinCountry1Minute : m_spinCountry2Minute, kMinuteName + name);
}

std::int32_t CWorldTimeDlg::ClockCode(Clock clock) const {
  const HWND list = clock == kFirstPlace    ? m_comboCountry1
                    : clock == kSecondPlace ? m_comboCountry2
                                            : nullptr;
  if (!list) return m_localOffset;
  return PlaceOffsetCode(static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)), m_localOffset);
}

void CWorldTimeDlg::Carry(Clock from, Clock to) {
  const ClockTime carried =
      CarryClock({m_hour[from], m_minute[from]}, ClockCode(from), ClockCode(to));
  m_hour[to] = carried.hour;
  m_minute[to] = carried.minute;
}

void CWorldTimeDlg::ShowClocks() {
  m_strLocalTime = ClockText(m_hour[kLocal], m_minute[kLocal], m_b24Hour);
  m_strCountry1Time = ClockText(m_hour[kFirstPlace], m_minute[kFirstPlace], m_b24Hour);
  m_strCountry2Time = ClockText(m_hour[kSecondPlace], m_minute[kSecondPlace], m_b24Hour);
}

void CWorldTimeDlg::SetSpinPositions() {
  const auto setPos = [](HWND spin, int pos) {
    SendMessageW(spin, UDM_SETPOS, 0, MAKELPARAM(pos, 0));
  };
  setPos(m_spinLocalHour, m_hour[kLocal]);
  setPos(m_spinCountry1Hour, m_hour[kFirstPlace]);
  setPos(m_spinCountry2Hour, m_hour[kSecondPlace]);
  setPos(m_spinLocalMinute, m_minute[kLocal]);
  setPos(m_spinCountry1Minute, m_minute[kFirstPlace]);
  setPos(m_spinCountry2Minute, m_minute[kSecondPlace]);
}

void CWorldTimeDlg::Refresh() {
  ShowClocks();
  SetSpinPositions();
  UpdateData(false);
}

void CWorldTimeDlg::SetLocalTimeNow() {
  const SYSTEMTIME now = platform::LocalTime();
  m_hour[kLocal] = now.wHour;
  m_minute[kLocal] = now.wMinute;
  NormalizeTime(m_hour[kLocal], m_minute[kLocal]);
  Carry(kLocal, kSecondPlace);
  Carry(kLocal, kFirstPlace);
  Refresh();
}

// The positions the spin buttons keep are never read back: only their steps count.
BOOL CWorldTimeDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header || header->code != UDN_DELTAPOS) {
    return CDialog::OnNotify(wParam, lParam, pResult);
  }
  struct SpinRole {
    HWND spin;
    Clock clock;
    bool hours;
    Clock carriedFirst, carriedSecond;
  };
  const SpinRole roles[] = {
      {m_spinCountry1Hour, kFirstPlace, true, kSecondPlace, kLocal},
      {m_spinCountry1Minute, kFirstPlace, false, kSecondPlace, kLocal},
      {m_spinCountry2Hour, kSecondPlace, true, kFirstPlace, kLocal},
      {m_spinCountry2Minute, kSecondPlace, false, kFirstPlace, kLocal},
      {m_spinLocalHour, kLocal, true, kSecondPlace, kFirstPlace},
      {m_spinLocalMinute, kLocal, false, kSecondPlace, kFirstPlace},
  };
  for (const SpinRole& role : roles) {
    if (!role.spin || header->hwndFrom != role.spin) continue;
    const int step = reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta;
    // Minutes wrap within their hour: they never carry into it.
    if (role.hours) {
      m_hour[role.clock] = Wrap(m_hour[role.clock], step, kHoursPerDay);
    } else {
      m_minute[role.clock] = Wrap(m_minute[role.clock], step, kMinutesPerHour);
    }
    Carry(role.clock, role.carriedFirst);
    Carry(role.clock, role.carriedSecond);
    Refresh();
    break;
  }
  // The default processing lets the spin button move on as well.
  *pResult = Default();
  return TRUE;
}

void CWorldTimeDlg::OnSelChangeFirstPlace() {
  NameClock(kFirstPlace);
  Carry(kSecondPlace, kFirstPlace);
  Refresh();
  StorePlace(m_comboCountry1, kFirstPlaceEntry);
}

void CWorldTimeDlg::OnSelChangeSecondPlace() {
  NameClock(kSecondPlace);
  UpdateData(true);
  Carry(kFirstPlace, kSecondPlace);
  Refresh();
  StorePlace(m_comboCountry2, kSecondPlaceEntry);
}

void CWorldTimeDlg::On24Hour() {
  UpdateData(true);
  Refresh();
}

// The time boxes are read-only: the focus goes on to the clock's hours spin button, whose arrow
// keys step the hour.
void CWorldTimeDlg::OnSetFocusTime(UINT controlId) {
  HWND spin = nullptr;
  switch (controlId) {
    case IDC_WT_LOCAL_TIME:
      spin = m_spinLocalHour;
      break;
    case IDC_WT_FIRST_TIME:
      spin = m_spinCountry1Hour;
      break;
    case IDC_WT_SECOND_TIME:
      spin = m_spinCountry2Hour;
      break;
    default:
      return;
  }
  if (spin) SetFocus(spin);
}

// Shift+Tab from a clock's hours spin button would go back to its time box, which hands the focus
// straight back to the spin button: the focus goes on to the control before the box instead.
LRESULT CWorldTimeDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NEXTDLGCTL && wParam && !LOWORD(lParam)) {
    const HWND focus = ::GetFocus();
    const int box = focus == m_spinLocalHour      ? IDC_WT_LOCAL_TIME
                    : focus == m_spinCountry1Hour ? IDC_WT_FIRST_TIME
                    : focus == m_spinCountry2Hour ? IDC_WT_SECOND_TIME
                                                  : 0;
    if (box) {
      const HWND previous = GetNextDlgTabItem(m_hWnd, GetDlgItem(box), TRUE);
      SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(previous), TRUE);
      return 0;
    }
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

void CWorldTimeDlg::OnActivate(UINT state, HWND hwndOther, BOOL bMinimized) {
  CDialog::OnActivate(state, hwndOther, bMinimized);
  if (state != WA_INACTIVE) {
    RealizePanelPalette(this, dynamic_cast<CFrameWnd*>(AfxGetMainWnd()));
  }
}
