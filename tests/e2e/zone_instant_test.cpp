// The whole program under Wine's own time zone data, at an instant that libfaketime gives the
// whole Wine session (faketime-test), on a computer set to UTC: each place's clock shows the time
// in force there, daylight saving included. Only places whose zones Wine 8 holds as the tz
// database does (Europe, North America, Australia, New Zealand) are asked about.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "panel_geometry.h"
#include "program.h"
#include "res/resource.h"
#include "settings_key.h"
#include "worldtime/world_time_dlg.h"

namespace e2e {
namespace {

// A place row and its hour at noon UTC on 15 July and on 15 January 2026 (tz database).
struct Place {
  const char* name;
  DWORD row;
  int julyHour;
  int januaryHour;
};
constexpr Place kFrance = {"France", 68, 14, 13};
constexpr Place kUnitedKingdom = {"United Kingdom", 10, 13, 12};
constexpr Place kNewYork = {"New York", 108, 8, 7};
constexpr Place kAustralia = {"Australia (Sydney)", 2, 22, 23};
constexpr Place kNewZealand = {"New Zealand", 107, 0, 1};
constexpr Place kKuwait = {"Kuwait", 85, 15, 15};

void StorePlaces(DWORD first, DWORD second) {
  const std::wstring key = SettingsKey(CWorldTimeDlg::kSection);
  for (const auto& [entry, row] : {std::pair{CWorldTimeDlg::kFirstPlaceEntry, first},
                                   std::pair{CWorldTimeDlg::kSecondPlaceEntry, second}}) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), entry, REG_DWORD, &row, sizeof row),
              ERROR_SUCCESS);
  }
}

std::wstring TwoDigits(int value) {
  return std::wstring{static_cast<wchar_t>(L'0' + value / 10),
                      static_cast<wchar_t>(L'0' + value % 10)};
}

TEST(ProgramZonesTest, EachPlaceShowsItsTimeInForce) {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  const bool july = now.wMonth == 7;
  ASSERT_TRUE(now.wYear == 2026 && (july || now.wMonth == 1) && now.wDay == 15 && now.wHour == 12)
      << "run by faketime-test at 12:00 UTC on 15 July or 15 January 2026";
  TIME_ZONE_INFORMATION zone{};
  ASSERT_NE(GetTimeZoneInformation(&zone), TIME_ZONE_ID_INVALID);
  ASSERT_EQ(zone.Bias, 0) << "the computer is set to UTC";

  const std::pair<Place, Place> windows[] = {
      {kFrance, kUnitedKingdom}, {kNewYork, kAustralia}, {kNewZealand, kKuwait}};
  for (const auto& [first, second] : windows) {
    SCOPED_TRACE(std::string(first.name) + " and " + second.name);
    ASSERT_NO_FATAL_FAILURE(StorePlaces(first.row, second.row));
    Program program;
    ASSERT_TRUE(program.Start(L""));
    const HWND frame = program.WaitForMainWindow();
    ASSERT_NE(frame, nullptr);
    SetCursorPos(0, 0);
    PostClick(program.View(), panel::ButtonCentre(panel::kWorldTimeButton));
    const HWND window = program.WaitForOwnedWindow(frame);
    ASSERT_NE(window, nullptr) << "the world time window did not open";

    // The 24-hour box, as a user clicks it, when the regional setting is the 12-hour clock.
    const HWND twentyFourHour = GetDlgItem(window, IDC_WT_24_HOUR);
    if (SendMessageW(twentyFourHour, BM_GETCHECK, 0, 0) != BST_CHECKED) {
      SendMessageW(twentyFourHour, BM_CLICK, 0, 0);
    }
    // The clocks follow the minute the window opened at, whatever it was.
    const std::wstring local = TextOf(GetDlgItem(window, IDC_WT_LOCAL_TIME));
    ASSERT_EQ(local.size(), 5u) << "a 24-hour clock";
    EXPECT_EQ(local.substr(0, 3), L"12:");
    const std::wstring minutes = local.substr(2);
    const auto expected = [&](const Place& place) {
      return TwoDigits(july ? place.julyHour : place.januaryHour) + minutes;
    };
    EXPECT_EQ(TextOf(GetDlgItem(window, IDC_WT_FIRST_TIME)), expected(first)) << first.name;
    EXPECT_EQ(TextOf(GetDlgItem(window, IDC_WT_SECOND_TIME)), expected(second)) << second.name;
  }
  RegDeleteKeyW(HKEY_CURRENT_USER, SettingsKey(CWorldTimeDlg::kSection).c_str());
}

}  // namespace
}  // namespace e2e
