#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <array>
#include <cstdint>
#include <string>

#include "framework/dialog.h"
#include "framework/handles.h"
#include "pictures/palette_window.h"

// Three clocks: the computer's own and two places of the place table. Stepping any clock with its
// spin buttons carries the change to the other two, so the window answers what time it is in one
// place when it is a given time in another. The clocks start from the system time and never tick;
// each place stands at the offset its zone has in force when the window opens or the place is
// chosen. The chosen places are kept in the registry the moment they change.
class CWorldTimeDlg : public CPaletteWindow<CDialog> {
 public:
  explicit CWorldTimeDlg(CWnd* pParentWnd = nullptr);
  // The controls go before the font they show.
  ~CWorldTimeDlg() override { DestroyWindow(); }

  // The offset code of the computer's zone when the clocks last took the system time.
  std::int32_t GetLocalOffset() const { return m_offset[kLocal]; }
  HFONT GetDigitalFont() const { return m_hDigitalFont.get(); }

  // The registry section and values of the chosen places.
  static constexpr wchar_t kSection[] = L"Time";
  static constexpr wchar_t kFirstPlaceEntry[] = L"Country1";
  static constexpr wchar_t kSecondPlaceEntry[] = L"Country2";
  // The raster font the clocks are shown in when the computer has it.
  static constexpr wchar_t kDigitalFontFamily[] = L"Nurix Digital";

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnDpiFontsChanged(UINT dpi) override;

  // A step of any spin button: one clock moves, the other two follow.
  void OnDeltaPosSpin(NMUPDOWN* pChange, LRESULT* pResult);
  LRESULT OnNextDlgCtl(WPARAM wParam, LPARAM lParam);
  LRESULT OnTimeChange(WPARAM wParam, LPARAM lParam);
  LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);

  void OnSelChangePlace(UINT listId);
  void SetLocalTimeNow();
  void On24Hour();
  void OnSetFocusTime(UINT controlId);

  DECLARE_MESSAGE_MAP()

 private:
  // The clocks, in the order of every per-clock member.
  enum Clock { kLocal, kFirstPlace, kSecondPlace, kClockCount };
  // One clock's controls; for a place, also where its choice is kept and the row it starts at.
  struct ClockRow {
    int timeBox;
    int hourSpin;
    int minuteSpin;
    int placeList;  // 0 for the local clock
    const wchar_t* entry;
    int defaultRow;
  };
  static const std::array<ClockRow, kClockCount> kClocks;

  void UseDigitalFont();
  void FillPlaceLists();
  // The one place where a place clock takes a row: its offset in force now goes with it.
  void SetPlace(Clock clock, int row);
  void Carry(Clock from, Clock to);
  void CarryToTheOthers(Clock from);
  void ShowClocks();
  void SetSpinPositions();
  void Refresh();
  // The clock whose hour or minute spin button this is, if any.
  bool FindSpin(HWND spin, Clock& clock, bool& hours) const;

  std::array<HWND, kClockCount> m_spinHour{};
  std::array<HWND, kClockCount> m_spinMinute{};
  std::array<HWND, kClockCount> m_comboPlace{};  // none for the local clock
  std::array<std::wstring, kClockCount> m_strTime;
  BOOL m_b24Hour = TRUE;
  UniqueFont m_hDigitalFont;                // null without the digital font
  std::array<int, kClockCount> m_hour{};    // 0 to 23
  std::array<int, kClockCount> m_minute{};  // 0 to 59
  // The row each place stands at; -1 without one, which reads as the computer's own zone.
  std::array<int, kClockCount> m_placeRow{-1, -1, -1};
  // The offset code each clock stands at: the computer's zone for the local clock; for a place,
  // its zone's offset in force when it was chosen or the clocks last took the system time.
  std::array<std::int32_t, kClockCount> m_offset{};
};
