#include "worldtime/world_time_dlg.h"

#include <commctrl.h>

#include <optional>
#include <string_view>

#include "convert/field_exchange.h"
#include "framework/accessible.h"
#include "framework/app.h"
#include "framework/platform.h"
#include "framework/resources.h"
#include "panel/panel_palette.h"
#include "res/resource.h"
#include "worldtime/country_offsets.h"
#include "worldtime/zone_rules.h"

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

ZoneChangeDate ChangeDate(const SYSTEMTIME& date) {
  return {date.wYear, date.wMonth,  date.wDayOfWeek, date.wDay,
          date.wHour, date.wMinute, date.wSecond,    date.wMilliseconds};
}

// The offset code a place has in force now, from the system's data for its zone; the row's
// standard offset where the system lacks the zone or its data makes no sense.
std::int32_t PlaceOffsetNow(const PlaceRow& place) {
  const SYSTEMTIME now = platform::UtcTime();
  const std::string_view key = place.zone;
  TIME_ZONE_INFORMATION zone{};
  if (!platform::ZoneRulesForYear(std::wstring(key.begin(), key.end()).c_str(), now.wYear, zone)) {
    return place.offsetCode;
  }
  const ZoneRules rules = {zone.Bias, zone.StandardBias, zone.DaylightBias,
                           ChangeDate(zone.StandardDate), ChangeDate(zone.DaylightDate)};
  const std::optional<std::int32_t> bias =
      BiasInForce(rules, {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond});
  return bias ? OffsetCodeFromBias(*bias) : place.offsetCode;
}

// value + step wrapped into 0 to range - 1. Wide, so that no step can overflow.
int Wrap(int value, int step, int range) {
  const long long wrapped = (static_cast<long long>(value) + step) % range;
  return static_cast<int>(wrapped < 0 ? wrapped + range : wrapped);
}

// An up-down control answers the arrow keys only through its buddy field, and these have none:
// left alone, the dialog manager would take the keys to move the focus, and the focus that the
// time boxes hand over would be of no use. So the spin buttons ask for the arrow keys and step on
// Up and Down as on a click of their arrows: the same UDN_DELTAPOS, then their own position. The
// sideways key toward the clock's other spin button (the subclass's id: Right from the hours,
// Left from the minutes, as they stand on the screen) moves the focus to it (refData).
LRESULT CALLBACK ArrowKeysProc(HWND spin, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR towardPartner, DWORD_PTR partner) {
  switch (message) {
    case WM_GETDLGCODE:
      return DefSubclassProc(spin, message, wParam, lParam) | DLGC_WANTARROWS;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (wParam == towardPartner) {
        if (message == WM_KEYDOWN) SetFocus(reinterpret_cast<HWND>(partner));
        return 0;
      }
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
      RemoveWindowSubclass(spin, ArrowKeysProc, towardPartner);
      break;
  }
  return DefSubclassProc(spin, message, wParam, lParam);
}

}  // namespace

const std::array<CWorldTimeDlg::ClockRow, CWorldTimeDlg::kClockCount> CWorldTimeDlg::kClocks = {{
    {IDC_WT_LOCAL_TIME, IDC_WT_LOCAL_HOUR_SPIN, IDC_WT_LOCAL_MINUTE_SPIN, 0, nullptr, 0},
    {IDC_WT_FIRST_TIME, IDC_WT_FIRST_HOUR_SPIN, IDC_WT_FIRST_MINUTE_SPIN, IDC_WT_FIRST_PLACE,
     kFirstPlaceEntry, kDefaultFirstPlace},
    {IDC_WT_SECOND_TIME, IDC_WT_SECOND_HOUR_SPIN, IDC_WT_SECOND_MINUTE_SPIN, IDC_WT_SECOND_PLACE,
     kSecondPlaceEntry, kDefaultSecondPlace},
}};

const CommandRoute CWorldTimeDlg::kRoutes[] = {
    Command(CBN_SELCHANGE, IDC_WT_FIRST_PLACE, &CWorldTimeDlg::OnSelChangeFirstPlace),
    Command(CBN_SELCHANGE, IDC_WT_SECOND_PLACE, &CWorldTimeDlg::OnSelChangeSecondPlace),
    Command(BN_CLICKED, IDC_WT_LOCAL_NOW, &CWorldTimeDlg::SetLocalTimeNow),
    Command(BN_CLICKED, IDC_WT_24_HOUR, &CWorldTimeDlg::On24Hour),
    CommandRange(EN_SETFOCUS, IDC_WT_FIRST_TIME, IDC_WT_LOCAL_TIME, &CWorldTimeDlg::OnSetFocusTime),
    Notify(UDN_DELTAPOS, IDC_WT_LOCAL_HOUR_SPIN, &CWorldTimeDlg::OnDeltaPosSpin),
    Notify(UDN_DELTAPOS, IDC_WT_LOCAL_MINUTE_SPIN, &CWorldTimeDlg::OnDeltaPosSpin),
    Notify(UDN_DELTAPOS, IDC_WT_FIRST_HOUR_SPIN, &CWorldTimeDlg::OnDeltaPosSpin),
    Notify(UDN_DELTAPOS, IDC_WT_FIRST_MINUTE_SPIN, &CWorldTimeDlg::OnDeltaPosSpin),
    Notify(UDN_DELTAPOS, IDC_WT_SECOND_HOUR_SPIN, &CWorldTimeDlg::OnDeltaPosSpin),
    Notify(UDN_DELTAPOS, IDC_WT_SECOND_MINUTE_SPIN, &CWorldTimeDlg::OnDeltaPosSpin),
    OnMessage(WM_NEXTDLGCTL, &CWorldTimeDlg::OnNextDlgCtl),
};
const MessageMap CWorldTimeDlg::kMessageMap{&CDialog::kMessageMap, kRoutes};

CWorldTimeDlg::CWorldTimeDlg(CWnd* pParentWnd) : CDialog(IDD_WORLDTIME, pParentWnd) {
  m_offset.fill(ComputerOffsetCode());
}

void CWorldTimeDlg::DoDataExchange(CDataExchange* pDX) {
  for (int clock = kLocal; clock < kClockCount; ++clock) {
    const ClockRow& row = kClocks[clock];
    DDX_Control(pDX, row.minuteSpin, m_spinMinute[clock]);
    DDX_Control(pDX, row.hourSpin, m_spinHour[clock]);
    if (row.placeList) DDX_Control(pDX, row.placeList, m_comboPlace[clock]);
    DDX_Text(pDX, row.timeBox, m_strTime[clock]);
  }
  DDX_Check(pDX, IDC_WT_24_HOUR, m_b24Hour);
}

BOOL CWorldTimeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  UseDigitalFont();
  const std::wstring timeFormat = platform::UserLocaleInfo(LOCALE_ITIME);
  m_b24Hour = !timeFormat.empty() && timeFormat[0] == L'1';
  FillPlaceLists();
  SetAccessibleNames(m_hWnd, kReaderNames);
  const CWinApp* pApp = AfxGetApp();
  for (const Clock place : {kFirstPlace, kSecondPlace}) {
    const ClockRow& row = kClocks[place];
    const int stored =
        pApp ? static_cast<int>(pApp->GetProfileInt(kSection, row.entry, row.defaultRow))
             : row.defaultRow;
    // A stored row outside the table selects nothing; that place keeps the computer's own time
    // until the user picks one.
    SendMessageW(m_comboPlace[place], CB_SETCURSEL,
                 IsPlaceRow(stored) ? static_cast<WPARAM>(stored) : WPARAM(-1), 0);
    SetPlace(place, stored);
  }
  // Upper above lower, so that the up arrow steps forward.
  for (int clock = kLocal; clock < kClockCount; ++clock) {
    SendMessageW(m_spinHour[clock], UDM_SETRANGE, 0, MAKELPARAM(kHoursPerDay - 1, 0));
    SendMessageW(m_spinMinute[clock], UDM_SETRANGE, 0, MAKELPARAM(kMinutesPerHour - 1, 0));
  }
  LetArrowKeysStep();
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
  for (const ClockRow& row : kClocks) {
    SendMessageW(GetDlgItem(row.timeBox), WM_SETFONT,
                 reinterpret_cast<WPARAM>(m_hDigitalFont.get()), TRUE);
  }
}

void CWorldTimeDlg::FillPlaceLists() {
  for (int row = 0; row < kPlaceCount; ++row) {
    // A name that cannot be loaded leaves its row empty rather than moving the rows after it.
    const std::wstring name(LoadStringResource(kFirstPlaceNameId + row));
    for (const Clock place : {kFirstPlace, kSecondPlace}) {
      SendMessageW(m_comboPlace[place], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
  }
}

void CWorldTimeDlg::LetArrowKeysStep() {
  for (int clock = kLocal; clock < kClockCount; ++clock) {
    const HWND hours = m_spinHour[clock];
    const HWND minutes = m_spinMinute[clock];
    if (!hours || !minutes) continue;
    SetWindowSubclass(hours, ArrowKeysProc, VK_RIGHT, reinterpret_cast<DWORD_PTR>(minutes));
    SetWindowSubclass(minutes, ArrowKeysProc, VK_LEFT, reinterpret_cast<DWORD_PTR>(hours));
  }
}

void CWorldTimeDlg::SetPlace(Clock clock, int row) {
  m_placeRow[clock] = IsPlaceRow(row) ? row : -1;
  m_offset[clock] = IsPlaceRow(row)
                        ? PlaceOffsetNow(g_countryOffsets[static_cast<std::size_t>(row)])
                        : m_offset[kLocal];
  NameClock(clock);
}

void CWorldTimeDlg::NameClock(Clock clock) {
  std::wstring place = ChosenText(m_comboPlace[clock]);
  // With no place chosen the clock keeps the computer's time: it reads as its list.
  if (place.empty()) place = clock == kFirstPlace ? kFirstPlaceName : kSecondPlaceName;
  const std::wstring name = kClockName + place;
  SetAccessibleName(GetDlgItem(kClocks[clock].timeBox), name);
  SetAccessibleName(m_spinHour[clock], kHourName + name);
  SetAccessibleName(m_spinMinute[clock], kMinuteName + name);
}

void CWorldTimeDlg::Carry(Clock from, Clock to) {
  const ClockTime carried =
      CarryClock({m_hour[from], m_minute[from]}, m_offset[from], m_offset[to]);
  m_hour[to] = carried.hour;
  m_minute[to] = carried.minute;
}

void CWorldTimeDlg::CarryToTheOthers(Clock from) {
  for (int to = kLocal; to < kClockCount; ++to) {
    if (to != from) Carry(from, static_cast<Clock>(to));
  }
}

void CWorldTimeDlg::ShowClocks() {
  for (int clock = kLocal; clock < kClockCount; ++clock) {
    m_strTime[clock] = ClockText(m_hour[clock], m_minute[clock], m_b24Hour);
  }
}

void CWorldTimeDlg::SetSpinPositions() {
  for (int clock = kLocal; clock < kClockCount; ++clock) {
    SendMessageW(m_spinHour[clock], UDM_SETPOS, 0, MAKELPARAM(m_hour[clock], 0));
    SendMessageW(m_spinMinute[clock], UDM_SETPOS, 0, MAKELPARAM(m_minute[clock], 0));
  }
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
  CarryToTheOthers(kLocal);
  Refresh();
}

bool CWorldTimeDlg::FindSpin(HWND spin, Clock& clock, bool& hours) const {
  for (int each = kLocal; spin && each < kClockCount; ++each) {
    if (spin == m_spinHour[each] || spin == m_spinMinute[each]) {
      clock = static_cast<Clock>(each);
      hours = spin == m_spinHour[each];
      return true;
    }
  }
  return false;
}

// The positions the spin buttons keep are never read back: only their steps count.
void CWorldTimeDlg::OnDeltaPosSpin(NMUPDOWN* pChange, LRESULT* pResult) {
  Clock clock = kLocal;
  bool hours = false;
  if (FindSpin(pChange->hdr.hwndFrom, clock, hours)) {
    // Minutes wrap within their hour: they never carry into it.
    if (hours) {
      m_hour[clock] = Wrap(m_hour[clock], pChange->iDelta, kHoursPerDay);
    } else {
      m_minute[clock] = Wrap(m_minute[clock], pChange->iDelta, kMinutesPerHour);
    }
    CarryToTheOthers(clock);
    Refresh();
  }
  // The default processing lets the spin button move on as well.
  *pResult = Default();
}

void CWorldTimeDlg::OnSelChangeFirstPlace() {
  PlaceChanged(kFirstPlace);
}

void CWorldTimeDlg::OnSelChangeSecondPlace() {
  PlaceChanged(kSecondPlace);
}

// A new place takes the time of the other place's clock, carried by its own offset now; the other
// place and the local clock keep theirs.
void CWorldTimeDlg::PlaceChanged(Clock clock) {
  const auto row = static_cast<int>(SendMessageW(m_comboPlace[clock], CB_GETCURSEL, 0, 0));
  SetPlace(clock, row);
  Carry(clock == kFirstPlace ? kSecondPlace : kFirstPlace, clock);
  Refresh();
  if (const CWinApp* pApp = AfxGetApp()) pApp->WriteProfileInt(kSection, kClocks[clock].entry, row);
}

void CWorldTimeDlg::On24Hour() {
  UpdateData(true);
  Refresh();
}

// The time boxes are read-only: the focus goes on to the clock's hours spin button, whose arrow
// keys step the hour.
void CWorldTimeDlg::OnSetFocusTime(UINT controlId) {
  for (int clock = kLocal; clock < kClockCount; ++clock) {
    if (kClocks[clock].timeBox == static_cast<int>(controlId) && m_spinHour[clock]) {
      SetFocus(m_spinHour[clock]);
    }
  }
}

// Tab and Shift+Tab from either spin button of a clock leave the clock as a whole: in the tab
// order the minutes stand before the time box, which hands the focus straight back to the hours.
// So Tab goes on from the hours spin button, Shift+Tab back from the time box.
LRESULT CWorldTimeDlg::OnNextDlgCtl(WPARAM wParam, LPARAM lParam) {
  Clock clock = kLocal;
  bool hours = false;
  // A control named in wParam is the dialog manager's own business.
  if (LOWORD(lParam) || !FindSpin(::GetFocus(), clock, hours)) return Default();
  const bool back = wParam != 0;
  const HWND from = back ? GetDlgItem(kClocks[clock].timeBox) : m_spinHour[clock];
  const HWND next = GetNextDlgTabItem(m_hWnd, from, back);
  SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
  return 0;
}

void CWorldTimeDlg::OnActivate(UINT state, HWND hwndOther, BOOL bMinimized) {
  CDialog::OnActivate(state, hwndOther, bMinimized);
  if (state != WA_INACTIVE) {
    RealizePanelPalette(this, dynamic_cast<CFrameWnd*>(AfxGetMainWnd()));
  }
}
