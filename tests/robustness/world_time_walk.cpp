// The random walk's model of the world time window.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>
#include <utility>

#include "core/place_standard_times.h"
#include "fake_system.h"
#include "res/resource.h"
#include "test_support.h"
#include "walk.h"
#include "worldtime/country_offsets.h"
#include "worldtime/world_time_dlg.h"

namespace random_walk {

// The world time window: the three clocks stand apart by the offsets of the places chosen.
class WorldTimeWalk : public WindowWalk {
 public:
  WorldTimeWalk(CWorldTimeDlg& dlg, int& placesSwept) : m_dlg(dlg), m_placesSwept(placesSwept) {}

  Action Next(Walk& walk) override {
    static constexpr int kSpins[] = {IDC_WT_LOCAL_HOUR_SPIN,  IDC_WT_LOCAL_MINUTE_SPIN,
                                     IDC_WT_FIRST_HOUR_SPIN,  IDC_WT_FIRST_MINUTE_SPIN,
                                     IDC_WT_SECOND_HOUR_SPIN, IDC_WT_SECOND_MINUTE_SPIN};
    static constexpr int kBoxes[] = {IDC_WT_LOCAL_TIME, IDC_WT_FIRST_TIME, IDC_WT_SECOND_TIME};
    static constexpr int kLists[] = {IDC_WT_FIRST_PLACE, IDC_WT_SECOND_PLACE};
    static constexpr UINT kListKeys[] = {VK_UP, VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT};
    // Every place is chosen once in a while, so that every place's clock is seen.
    if (m_placesSwept < kPlaceCount && walk.Chance(35)) {
      return ChooseRow(Item(walk.Pick(kLists)), m_placesSwept++);
    }
    const int kind = walk.Int(0, 99);
    const bool up = walk.Chance(50);
    if (kind < 35) {
      const HWND spin = Item(walk.Pick(kSpins));
      return {std::string(up ? "up" : "down") + " key on spin " + Id(spin),
              [=] { PressKey(spin, up ? VK_UP : VK_DOWN); }};
    }
    if (kind < 50) {
      const HWND spin = Item(walk.Pick(kSpins));
      return {
          std::string("click on the ") + (up ? "upper" : "lower") + " arrow of spin " + Id(spin),
          [=] { ClickUpDownArrow(spin, up); }};
    }
    if (kind < 60) {
      const HWND box = Item(walk.Pick(kBoxes));
      return {std::string("focus on time box ") + Id(box) + ", then " + (up ? "up" : "down"), [=] {
                SetFocus(box);
                PressKey(GetFocus(), up ? VK_UP : VK_DOWN);
              }};
    }
    const HWND list = Item(walk.Pick(kLists));
    if (kind < 80) {
      const UINT key = walk.Pick(kListKeys);
      return {"key " + std::to_string(key) + " on list " + Id(list), [=] { PressKey(list, key); }};
    }
    if (kind < 88) return ChooseRow(list, walk.Int(0, kPlaceCount - 1));
    const HWND button = Item(kind < 94 ? IDC_WT_24_HOUR : IDC_WT_LOCAL_NOW);
    return {"click on button " + Id(button), [=] { SendMessageW(button, BM_CLICK, 0, 0); }};
  }

  void Check() override {
    const bool twentyFourHour =
        SendMessageW(Item(IDC_WT_24_HOUR), BM_GETCHECK, 0, 0) == BST_CHECKED;
    const std::wstring local = TextOf(Item(IDC_WT_LOCAL_TIME));
    const std::optional<int> localMinutes = ReadClock(local, twentyFourHour);
    ASSERT_TRUE(localMinutes) << "the local clock shows \"" << Printable(local) << "\"";
    const int localOffset = -static_cast<int>(g_system.bias);  // UTC = local time + bias
    for (const auto& [box, list] : {std::pair{IDC_WT_FIRST_TIME, IDC_WT_FIRST_PLACE},
                                    std::pair{IDC_WT_SECOND_TIME, IDC_WT_SECOND_PLACE}}) {
      const std::wstring place = ChosenPlace(Item(list));
      int offset = localOffset;  // no place chosen: the computer's own time
      if (!place.empty()) {
        const std::optional<int> standard = StandardTime(place);
        ASSERT_TRUE(standard) << "an unknown place, " << Printable(place);
        offset = *standard;
      }
      const int there = ((*localMinutes + offset - localOffset) % 1440 + 1440) % 1440;
      EXPECT_EQ(Printable(TextOf(Item(box))), Printable(ClockTextOf(there, twentyFourHour)))
          << "clock " << box << " at " << Printable(place) << " (" << offset
          << " minutes) when the local clock shows " << Printable(local) << " at " << localOffset;
    }
  }

 private:
  Action ChooseRow(HWND list, int row) {
    return {"row " + std::to_string(row) + " chosen in list " + Id(list),
            [=] { ChooseListRow(list, row); }};
  }
  HWND Item(int id) const { return m_dlg.GetDlgItem(id); }
  static std::string Id(HWND control) { return std::to_string(GetDlgCtrlID(control)); }

  // "14:07", or "02:07 P" on the 12-hour dial ("12:xx A" after midnight, "P" from noon).
  static std::wstring ClockTextOf(int minutes, bool twentyFourHour) {
    const int hour = minutes / 60;
    const int dial = twentyFourHour ? hour : (hour % 12 == 0 ? 12 : hour % 12);
    wchar_t text[16];
    std::swprintf(text, std::size(text), L"%02d:%02d", dial, minutes % 60);
    return std::wstring(text) + (twentyFourHour ? L"" : hour >= 12 ? L" P" : L" A");
  }
  // The minutes since midnight a clock text shows; nothing for a text no clock shows.
  static std::optional<int> ReadClock(const std::wstring& text, bool twentyFourHour) {
    for (int minutes = 0; minutes < 1440; ++minutes) {
      if (ClockTextOf(minutes, twentyFourHour) == text) return minutes;
    }
    return std::nullopt;
  }
  // The place a list shows chosen, without the spaces some names carry; empty for none.
  static std::wstring ChosenPlace(HWND list) {
    const LRESULT row = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (row < 0) return {};
    std::wstring name(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, row, 0)), L' ');
    SendMessageW(list, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(name.data()));
    const std::size_t first = name.find_first_not_of(L' ');
    const std::size_t last = name.find_last_not_of(L' ');
    return first == std::wstring::npos ? std::wstring() : name.substr(first, last - first + 1);
  }

  // Every place's standard time by the name the lists show.
  static std::optional<int> StandardTime(const std::wstring& place) {
    for (const PlaceStandardTime& p : kPlaceStandardTimes) {
      if (place == p.name) return p.minutes;
    }
    return std::nullopt;
  }

  CWorldTimeDlg& m_dlg;
  int& m_placesSwept;
};

std::unique_ptr<WindowWalk> WorldTimeRules(CWorldTimeDlg& dlg, int& placesSwept) {
  return std::make_unique<WorldTimeWalk>(dlg, placesSwept);
}

}  // namespace random_walk
