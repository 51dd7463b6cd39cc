// The random walk's model of the date window.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "core/calendar_model.h"
#include "res/resource.h"
#include "test_support.h"
#include "walk.h"

namespace random_walk {

constexpr wchar_t kInvalidDate[] = L"غير صالح";

// The date window, against the tests' own calendar model: after an edit that changes a field's
// number, the weekday box says "غير صالح" exactly when the edited calendar's fields show no date
// of the converter's range; otherwise it names the weekday, and the other calendar shows the
// same day.
class DateWalk : public WindowWalk {
 public:
  explicit DateWalk(HWND dlg) : m_dlg(dlg) {}

  Action Next(Walk& walk) override {
    const int id = walk.Pick(kFields);
    Action action = ActionOn(walk, id);
    return {action.what, [this, id, run = action.run] {
              const std::optional<UINT> before = Number(id);
              run();
              if (Number(id) != before) m_hijriEdited = IsHijriField(id);
            }};
  }

  void Check() override {
    namespace cm = calendar_model;
    const std::wstring weekday = TextOf(GetDlgItem(m_dlg, IDC_WEEKDAY));
    const std::optional<cm::Date> western =
        Shown(IDC_GREGORIAN_DAY, IDC_GREGORIAN_MONTH, IDC_GREGORIAN_YEAR);
    const std::optional<cm::Date> hijri = Shown(IDC_HIJRI_DAY, IDC_HIJRI_MONTH, IDC_HIJRI_YEAR);
    ASSERT_TRUE(western && hijri) << "a date field holds no number";
    const bool valid = m_hijriEdited ? cm::IsHijriDate(*hijri) : cm::IsWesternDate(*western);
    const std::string edited = m_hijriEdited ? "Hijri " + Text(*hijri) : Text(*western);
    if (!valid) {
      EXPECT_EQ(Printable(weekday), Printable(kInvalidDate)) << edited << " is no date";
      return;
    }
    const std::int32_t day = m_hijriEdited
                                 ? cm::HijriMonthStart(hijri->year, hijri->month) + hijri->day - 1
                                 : cm::DayNumber(*western);
    EXPECT_EQ(Text(*western), Text(cm::WesternOf(day))) << "the day of " << edited;
    EXPECT_EQ(Text(*hijri), Text(cm::HijriOf(day))) << "the Hijri day of " << edited;
    EXPECT_EQ(Printable(weekday), Printable(cm::WeekdayName(day))) << "the weekday of " << edited;
  }

 private:
  static constexpr int kFields[] = {IDC_GREGORIAN_DAY, IDC_GREGORIAN_MONTH, IDC_GREGORIAN_YEAR,
                                    IDC_HIJRI_DAY,     IDC_HIJRI_MONTH,     IDC_HIJRI_YEAR};
  static bool IsHijriField(int id) {
    return id == IDC_HIJRI_DAY || id == IDC_HIJRI_MONTH || id == IDC_HIJRI_YEAR;
  }

  Action ActionOn(Walk& walk, int id) {
    const HWND field = GetDlgItem(m_dlg, id);
    const HWND upDown = GetDlgItem(m_dlg, id + 1000);
    const int kind = walk.Int(0, 99);
    const bool up = walk.Chance(50);
    if (kind < 20) {
      return {std::string(up ? "up" : "down") + " key in field " + std::to_string(id),
              [=] { PressKey(field, up ? VK_UP : VK_DOWN); }};
    }
    if (kind < 35) {
      return {std::string("click on the ") + (up ? "upper" : "lower") + " arrow of field " +
                  std::to_string(id),
              [=] { ClickUpDownArrow(upDown, up); }};
    }
    return walk.Edit(field, id, [&walk] { return DateText(walk); });
  }

  static std::wstring DateText(Walk& walk) {
    static const wchar_t* const kEdges[] = {
        L"622", L"621", L"1582", L"1583", L"4513",       L"4514", L"5000", L"5001",  L"5002",
        L"0",   L"00",  L"013",  L"31",   L"32",         L"29",   L"30",   L"12",    L"13",
        L"-1",  L"+3",  L" 7",   L"7 ",   L"4294967297", L"255",  L"256",  L"65536",
    };
    switch (walk.Int(0, 5)) {
      case 0:
        return std::to_wstring(walk.Int(0, 40));
      case 1:
        return std::to_wstring(walk.Int(0, 6000));
      case 2:
      case 3:
        return walk.Pick(kEdges);
      default:
        return walk.Text();
    }
  }

  // The number a field holds, as a dialog reads it.
  std::optional<UINT> Number(int id) const {
    BOOL read = FALSE;
    const UINT value = GetDlgItemInt(m_dlg, id, &read, FALSE);
    return read ? std::optional<UINT>(value) : std::nullopt;
  }
  std::optional<calendar_model::Date> Shown(int dayId, int monthId, int yearId) const {
    const auto day = Number(dayId), month = Number(monthId), year = Number(yearId);
    if (!day || !month || !year) return std::nullopt;
    return calendar_model::Date{static_cast<std::int32_t>(*year), static_cast<std::int32_t>(*month),
                                static_cast<std::int32_t>(*day)};
  }
  static std::string Text(const calendar_model::Date& date) {
    return std::to_string(date.day) + "/" + std::to_string(date.month) + "/" +
           std::to_string(date.year);
  }

  HWND m_dlg;
  bool m_hijriEdited = false;  // the last field to change its number was a Hijri one
};

std::unique_ptr<WindowWalk> DateRules(HWND dlg) {
  return std::make_unique<DateWalk>(dlg);
}

}  // namespace random_walk
