#include "worldtime/world_time_dlg.h"

#include <commctrl.h>

#include "convert/field_exchange.h"
#include "framework/app.h"
#include "framework/resources.h"
#include "platform/platform.h"
#include "res/resource.h"
#include "worldtime/clock_keys.h"
#include "worldtime/clock_names.h"
#include "worldtime/country_offsets.h"
#include "worldtime/place_zone.h"

namespace {

constexpr int kHoursPerDay = 24;
constexpr int kMinutesPerHour = 60;

}  // namespace

const std::array<CWorldTimeDlg::ClockRow, CWorldTimeDlg::kClockCount> CWorldTimeDlg::kClocks = {{
    {IDC_WT_LOCAL_TIME, IDC_WT_LOCAL_HOUR_SPIN, IDC_WT_LOCAL_MINUTE_SPIN, 0, nullptr, 0},
    {IDC_WT_FIRST_TIME, IDC_WT_FIRST_HOUR_SPIN, IDC_WT_FIRST_MINUTE_SPIN, IDC_WT_FIRST_PLACE,
     kFirstPlaceEntry, kDefaultFirstPlace},
    {IDC_WT_SECOND_TIME, IDC_WT_SECOND_HOUR_SPIN, IDC_WT_SECOND_MINUTE_SPIN, IDC_WT_SECOND_PLACE,
     kSecondPlaceEntry, kDefaultSecondPlace},
}};

const CommandRoute CWorldTimeDlg::kRoutes[] = {
    Command(CBN_SELCHANGE, IDC_WT_FIRST_PLACE, &CWorldTimeDlg::OnSelChangePlace),
    Command(CBN_SELCHANGE, IDC_WT_SECOND_PLACE, &CWorldTimeDlg::OnSelChangePlace),
    Command(BN_CLICKED, IDC_WT_LOCAL_NOW, &CWorldTimeDlg::SetLocalTimeNow),
    Command(BN_CLICKED, IDC_WT_24_HOUR, &CWorldTimeDlg::On24Hour),
    CommandRange(EN_SETFOCUS, IDC_WT_FIRST_TIME, IDC_WT_LOCAL_TIME, &CWorldTimeDlg::OnSetFocusTime),
    NotifyRange(UDN_DELTAPOS, IDC_WT_FIRST_HOUR_SPIN, IDC_WT_LOCAL_MINUTE_SPIN,
                &CWorldTimeDlg::OnDeltaPosSpin),
    OnMessage(WM_NEXTDLGCTL, &CWorldTimeDlg::OnNextDlgCtl),
    OnMessage(WM_TIMECHANGE, &CWorldTimeDlg::OnTimeChange),
    OnMessage(WM_SETTINGCHANGE, &CWorldTimeDlg::OnSettingChange),
};
const MessageMap CWorldTimeDlg::kMessageMap{&CDialog::kMessageMap, kRoutes};

CWorldTimeDlg::CWorldTimeDlg(CWnd* pParentWnd) : CPaletteWindow(IDD_WORLDTIME, pParentWnd) {
  m_offset.fill(LocalOffsetNow());
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
  NameFixedClockControls(m_hWnd);
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
    LetArrowKeysStep(m_spinHour[clock], m_spinMinute[clock]);
  }
  SetLocalTimeNow();
  return TRUE;
}

// The clocks take the raster face of the digital family where the computer has it at the window's
// scale, else the window's own font.
void CWorldTimeDlg::UseDigitalFont() {
  UniqueFont digital = CreateRasterFont(kDigitalFontFamily, platform::WindowDpi(m_hWnd));
  const WPARAM font =
      digital ? reinterpret_cast<WPARAM>(digital.get()) : reinterpret_cast<WPARAM>(GetDialogFont());
  for (const ClockRow& row : kClocks) SendMessageW(GetDlgItem(row.timeBox), WM_SETFONT, font, TRUE);
  m_hDigitalFont = std::move(digital);  // the old font goes once no clock draws with it
}

void CWorldTimeDlg::OnDpiFontsChanged(UINT) { UseDigitalFont(); }

void CWorldTimeDlg::FillPlaceLists() {
  for (int row = 0; row < kPlaceCount; ++row) {
    // A name that cannot be loaded leaves its row empty rather than moving the rows after it.
    const std::wstring name(LoadStringResource(kFirstPlaceNameId + row));
    for (const Clock place : {kFirstPlace, kSecondPlace}) {
      SendMessageW(m_comboPlace[place], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
  }
}

void CWorldTimeDlg::SetPlace(Clock clock, int row) {
  m_placeRow[clock] = IsPlaceRow(row) ? row : -1;
  m_offset[clock] = IsPlaceRow(row)
                        ? PlaceOffsetNow(g_countryOffsets[static_cast<std::size_t>(row)])
                        : m_offset[kLocal];
  NamePlaceClock(GetDlgItem(kClocks[clock].timeBox), m_spinHour[clock], m_spinMinute[clock],
                 m_comboPlace[clock], clock == kFirstPlace);
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

// The computer's zone, or the rules in force in it or at a place, may have changed since the
// window opened: each clock takes its offset anew.
void CWorldTimeDlg::SetLocalTimeNow() {
  m_offset[kLocal] = LocalOffsetNow();
  for (const Clock place : {kFirstPlace, kSecondPlace}) SetPlace(place, m_placeRow[place]);
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

// A new place takes the time of the other place's clock, carried by its own offset now; the other
// place and the local clock keep theirs.
void CWorldTimeDlg::OnSelChangePlace(UINT listId) {
  const Clock clock =
      static_cast<int>(listId) == kClocks[kFirstPlace].placeList ? kFirstPlace : kSecondPlace;
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

// The system's clock or zone changed under the window: the clocks follow as on the button.
LRESULT CWorldTimeDlg::OnTimeChange(WPARAM, LPARAM) {
  SetLocalTimeNow();
  return 0;
}

// Every window hears of any setting's change: only a new zone of the computer's moves the clocks.
LRESULT CWorldTimeDlg::OnSettingChange(WPARAM wParam, LPARAM lParam) {
  return LocalOffsetNow() == m_offset[kLocal] ? 0 : OnTimeChange(wParam, lParam);
}
