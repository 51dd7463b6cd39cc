#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "framework/dialog.h"
#include "framework/handles.h"

// Three clocks: the computer's own and two places of the place table. Stepping any clock with its
// spin buttons carries the change to the other two, so the window answers what time it is in one
// place when it is a given time in another. The clocks start from the system time and never tick;
// the chosen places are kept in the registry the moment they change.
class CWorldTimeDlg : public CDialog {
 public:
  explicit CWorldTimeDlg(CWnd* pParentWnd = nullptr);
  // The controls go before the font they show.
  ~CWorldTimeDlg() override { DestroyWindow(); }

  // The offset code of the computer's zone, fixed when the window is made.
  std::int32_t GetLocalOffset() const { return m_localOffset; }
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
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnActivate(UINT state, HWND hwndOther, BOOL bMinimized) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void OnSelChangeFirstPlace();
  void OnSelChangeSecondPlace();
  void SetLocalTimeNow();
  void On24Hour();
  void OnSetFocusTime(UINT controlId);

  DECLARE_MESSAGE_MAP()

 private:
  // The clocks, in the order of m_hour and m_minute.
  enum Clock { kLocal, kFirstPlace, kSecondPlace, kClockCount };

  void UseDigitalFont();
  void FillPlaceLists();
  void SelectStoredPlace(HWND list, const wchar_t* entry, int defaultRow);
  void StorePlace(HWND list, const wchar_t* entry);
  // Names a place clock, its time box and spin buttons, for screen readers after the place it
  // shows: "توقيت الكويت".
  void NameClock(Clock clock);
  // The offset code a clock stands at: a place list without a selection stands for the
  // computer's own zone.
  std::int32_t ClockCode(Clock clock) const;
  void Carry(Clock from, Clock to);
  // Adds step to an hour or a minute, wrapping it within its range without touching the other.
  void Step(UINT spinId, int step);
  void ShowClocks();
  void SetSpinPositions();
  void Refresh();

  HWND m_spinLocalMinute = nullptr;
  HWND m_spinLocalHour = nullptr;
  HWND m_spinCountry2Minute = nullptr;
  HWND m_spinCountry2Hour = nullptr;
  HWND m_spinCountry1Minute = nullptr;
  HWND m_spinCountry1Hour = nullptr;
  HWND m_comboCountry2 = nullptr;
  HWND m_comboCountry1 = nullptr;
  std::wstring m_strCountry1Time;
  std::wstring m_strCountry2Time;
  std::wstring m_strLocalTime;
  BOOL m_b24Hour = TRUE;
  UniqueFont m_hDigitalFont;                // null without the digital font
  std::array<int, kClockCount> m_hour{};    // 0 to 23
  std::array<int, kClockCount> m_minute{};  // 0 to 59
  std::int32_t m_localOffset;
};
