// A long random walk through the windows of the panel, as a user might take it: windows opened
// from the launcher, typed and pasted into, stepped, chosen from, switched and closed, with any
// text at all. After every action the window still answers and shows what its rules say.
//
// RALIMET_WALK_SEED replays or varies the walk, RALIMET_WALK_ACTIONS lengthens it and
// RALIMET_WALK_VERBOSE=1 prints each action before it is done (to find one that crashes).
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>

#include "calendar/date_dlg.h"
#include "core/calendar_model.h"
#include "core/place_standard_times.h"
#include "core/unit_sizes.h"
#include "platform/platform.h"
#include "panel/about_dlg.h"
#include "res/resource.h"
#include "running_app.h"
#include "sizes/dress_sheet.h"
#include "units/converter_dlg.h"
#include "worldtime/country_offsets.h"
#include "worldtime/world_time_dlg.h"

namespace {

constexpr unsigned long kSeed = 20260308;
constexpr unsigned long kActions = 10000;
// The default walk stops at 100 s, well inside the test's time-out, so that a slow walk says how
// far it came; a longer one has 10 ms an action (RALIMET_WALK_SECONDS sets another limit).
constexpr auto kTimeLimit = std::chrono::seconds(100);
constexpr auto kTimePerAction = std::chrono::milliseconds(10);
constexpr int kMostActionsPerVisit = 150;
constexpr wchar_t kInvalidDate[] = L"غير صالح";

unsigned long FromEnvironment(const char* name, unsigned long fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoul(text, nullptr, 0) : fallback;
}

// Where the program is emulated (the i686 build), ctest gives every test more time, and so does
// the walk (RALIMET_TEST_TIME_SCALE).
std::chrono::milliseconds TimeLimit(unsigned long actions) {
  const auto seconds = std::chrono::seconds(FromEnvironment("RALIMET_WALK_SECONDS", 0));
  if (seconds.count()) return seconds;
  const std::chrono::milliseconds perAction = kTimePerAction * static_cast<long long>(actions);
  return std::max<std::chrono::milliseconds>(perAction, kTimeLimit) *
         static_cast<long long>(FromEnvironment("RALIMET_TEST_TIME_SCALE", 1));
}

std::string Printable(const std::wstring& text) {
  std::string out;
  for (const wchar_t c : text) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    }
  }
  return out;
}

std::string Exact(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

bool Same(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

// What the walk's system says, drawn afresh for each window opened: the clock, the zone and the
// regional 12/24-hour choice.
struct WalkSystem {
  SYSTEMTIME now{};
  LONG bias = 0;
  const wchar_t* timeFormat = L"1";
};
WalkSystem g_system;
SYSTEMTIME WalkLocalTime() {
  return g_system.now;
}
DWORD WalkTimeZone(TIME_ZONE_INFORMATION& zone) {
  zone = {};
  zone.Bias = g_system.bias;
  return TIME_ZONE_ID_UNKNOWN;
}
// The walk checks the clocks against the places' standard offsets, so the system it gives the
// program has none of their zones: each place keeps its row's code.
DWORD WalkZoneList(DWORD, DYNAMIC_TIME_ZONE_INFORMATION&) {
  return ERROR_NO_MORE_ITEMS;
}
std::wstring WalkLocaleInfo(LCTYPE type) {
  return type == LOCALE_ITIME ? g_system.timeFormat : L"";
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (const HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(memory));
    GlobalUnlock(memory);
  }
  CloseClipboard();
  return text;
}

// Keys a user might press in a field: mostly digits, then what a number may hold, what it may
// not, Arabic-Indic digits and the backspace.
constexpr wchar_t kKeys[] =
    L"01234567890123456789012345678901234567890123456789..--ee+E, xa/\u0660\u0663\u0669\u06F4"
    L"\b\b";

// One action: what it is, for the failure message, and how it is done.
struct Action {
  std::string what;
  std::function<void()> run;
};

class Walk;

// The actions and the rules of one kind of window.
class WindowWalk {
 public:
  virtual ~WindowWalk() = default;
  virtual Action Next(Walk& walk) = 0;
  virtual void Check() = 0;
};

class Walk {
 public:
  Walk(unsigned long seed, unsigned long budget)
      : m_seed(seed),
        m_budget(budget),
        m_rng(static_cast<std::uint32_t>(seed)),
        m_timeLimit(TimeLimit(budget)),
        m_verbose(FromEnvironment("RALIMET_WALK_VERBOSE", 0) != 0) {}

  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
  bool Chance(int percent) { return Int(0, 99) < percent; }
  template <class T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Int(0, static_cast<int>(N) - 1)];
  }

  wchar_t AnyKey() { return kKeys[Int(0, static_cast<int>(std::size(kKeys)) - 2)]; }

  // Text a user might type or paste into a field.
  std::wstring Text() {
    // clang-format off
    static const wchar_t* const kOdd[] = {
        L"", L"-", L".", L"e", L"-e", L"1e", L"5.", L".5", L"1e5e3", L"-0", L"1e308", L"-1e308",
        L"1e309", L"1e-400", L"4.9e-324", L"1.#INF0000", L"-1.#INF0000", L"nan", L"inf", L"0x1p3",
        L"+5", L" 5", L"5 ", L"1,5", L"1E5", L"--5", L"5-", L"e5", L"0.000000001", L"1e29",
        L"\u0661\u0662\u0663", L"\u06F4\u06F5", L"\u0663\u066B\u0661\u0664",
        L"99999999999999999999999999999", L"123456789012.345678",
    };
    // clang-format on
    switch (Int(0, 9)) {
      case 0:
      case 1:
      case 2:
        return Number();
      case 3:
      case 4:
        return Pick(kOdd);
      case 5: {
        std::wstring junk;
        for (int n = Int(1, 12); n > 0; --n) junk += AnyKey();
        return junk;
      }
      case 6:
        return Long();
      default:
        return std::to_wstring(Int(-100, 100000));
    }
  }
  std::wstring Number() {
    std::wstring text = Chance(25) ? L"-" : L"";
    text += Digits(Int(0, 12));
    if (Chance(50)) text += L"." + Digits(Int(0, 12));
    if (Chance(30)) {
      text += Chance(50) ? L"e-" : L"e";
      text += std::to_wstring(Int(0, 400));
    }
    return text;
  }
  std::wstring Digits(int count) {
    std::wstring digits;
    for (; count > 0; --count) digits += static_cast<wchar_t>(L'0' + Int(0, 9));
    return digits;
  }
  // Longer than any number text: judged on its first 38 characters.
  std::wstring Long() {
    const int length = Int(39, 400);
    switch (Int(0, 3)) {
      case 0:
        return Digits(length);
      case 1:
        return L"1" + std::wstring(static_cast<std::size_t>(length), L'0');
      case 2:
        return L"0." + std::wstring(static_cast<std::size_t>(length), L'0') + L"1";
      default:
        return Digits(38) + Text();
    }
  }

  // An edit of a field as the keyboard, the clipboard and the edit menu make it: each one
  // change, as the field tells its window.
  Action Edit(HWND field, int id, const std::function<std::wstring()>& text) {
    const std::string in = " in field " + std::to_string(id);
    const int length = GetWindowTextLengthW(field);
    const int from = Int(0, length);
    const int to = Chance(50) ? from : Int(0, length);
    const std::string selection = " over " + std::to_string(from) + ".." + std::to_string(to);
    const auto select = [=] { SendMessageW(field, EM_SETSEL, from, to); };
    const int kind = Int(0, 99);
    if (kind < 35) {
      const wchar_t key = AnyKey();
      return {"key '" + Printable(std::wstring(1, key)) + "'" + selection + in, [=] {
                select();
                SendMessageW(field, WM_CHAR, key, 1);
              }};
    }
    if (kind < 65) {
      const bool all = kind < 55;
      const std::wstring typed = text();
      return {"text \"" + Printable(typed) + "\"" + (all ? " over all" : selection) + in, [=] {
                if (all) {
                  SendMessageW(field, EM_SETSEL, 0, -1);
                } else {
                  select();
                }
                SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
              }};
    }
    if (kind < 80) {
      const std::wstring pasted = text();
      return {"paste \"" + Printable(pasted) + "\"" + selection + in, [=] {
                ASSERT_TRUE(PutOnClipboard(field, pasted));
                select();
                SendMessageW(field, WM_PASTE, 0, 0);
              }};
    }
    if (kind < 90)
      return {"delete" + selection + in, [=] {
                select();
                SendMessageW(field, WM_CLEAR, 0, 0);
              }};
    if (kind < 95)
      return {"cut" + selection + in, [=] {
                select();
                SendMessageW(field, WM_CUT, 0, 0);
              }};
    return {"undo" + in, [=] { SendMessageW(field, WM_UNDO, 0, 0); }};
  }

  // Opens the window of button n from the launcher, walks in it and closes it.
  void Visit(CRalimetView& view, int n);

  unsigned long done() const { return m_done; }
  bool stopped() const { return m_failed || m_done + 2 > m_budget || Expired(); }
  bool Expired() const { return std::chrono::steady_clock::now() - m_start > m_timeLimit; }

 private:
  // Does one action and checks the window after it; false when the walk must stop.
  bool Step(HWND window, const Action& action, WindowWalk* rules);
  void Inside(int n, HWND window);
  std::unique_ptr<WindowWalk> RulesOf(int n, HWND window);
  void DrawSystem();

  const unsigned long m_seed;
  const unsigned long m_budget;
  std::mt19937 m_rng;
  const std::chrono::milliseconds m_timeLimit;
  const bool m_verbose;
  const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
  unsigned long m_done = 0;
  bool m_failed = false;
  const char* m_windowName = "";
  bool m_visited = false;
  int m_placesSwept = 0;
};

// The unit converters: after an edit that changes a field's value, every other field holds that
// value converted as the units' physical sizes say (within the 1 % the program's rounded factors
// keep to) and shows it, until the next such edit. An infinite value has no conversion: the other
// fields then show nothing.
class ConverterWalk : public WindowWalk {
 public:
  explicit ConverterWalk(CConverterDlg& dlg) : m_dlg(dlg), m_source(dlg.Window().units.startUnit) {}

  Action Next(Walk& walk) override {
    const auto& fields = m_dlg.Window().fields;
    const UnitField field = fields[walk.Int(0, static_cast<int>(fields.size()) - 1)];
    if (walk.Chance(3)) {
      // The pointer over a field or its label (the speed window's horse).
      const HWND under = walk.Chance(50) ? m_dlg.GetDlgItem(field.control)
                                         : GetWindow(m_dlg.GetDlgItem(field.control), GW_HWNDPREV);
      return {"pointer over control " + std::to_string(GetDlgCtrlID(under)), [this, under] {
                SendMessageW(m_dlg.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
              }};
    }
    Action edit =
        walk.Edit(m_dlg.GetDlgItem(field.control), field.control, [&walk] { return walk.Text(); });
    return {edit.what, [this, field, run = edit.run] {
              const double before = m_dlg.Value(field.unit);
              run();
              if (!Same(m_dlg.Value(field.unit), before)) m_source = field.unit;
            }};
  }

  void Check() override {
    const double from = m_dlg.Value(m_source);
    for (const UnitField& field : m_dlg.Window().fields) {
      const double value = m_dlg.Value(field.unit);
      const std::string text = Ascii(TextOf(m_dlg.GetDlgItem(field.control)));
      const std::string name = "field " + std::to_string(field.control) + " showing \"" + text +
                               "\" and holding " + Exact(value);
      if (field.unit == m_source) {
        // The user's own text, or its value written back after a key the field refused.
        EXPECT_TRUE(ReadsAs(text, value) || Shows(text, value)) << name;
        continue;
      }
      const double expected = Physical(m_source, field.unit, from);
      const std::string rule = name + "; from unit " + std::to_string(m_source) + " at " +
                               Exact(from) + " it is " + Exact(expected);
      EXPECT_TRUE(Agrees(value, expected)) << rule;
      // Its value's text, or the user's own that means the value it holds.
      EXPECT_TRUE(Shows(text, expected) || ReadsAs(text, value)) << rule;
    }
  }

 private:
  static std::string Ascii(const std::wstring& text) {
    std::string ascii;
    for (const wchar_t c : text) ascii += c < 0x80 ? static_cast<char>(c) : '\x7f';
    return ascii;
  }

  // What unit `to` holds by the physical sizes when unit `from` holds x.
  double Physical(std::uint16_t from, std::uint16_t to, double x) const {
    if (std::isinf(x)) return std::nan("");
    const UnitTable& units = m_dlg.Window().units;
    if (&units == &temperature::kTable) {
      return unit_sizes::FromKelvin(to, unit_sizes::ToKelvin(from, x));
    }
    for (const unit_sizes::LinearQuantity& q : unit_sizes::kLinearQuantities) {
      if (&q.table == &units)
        return x * (unit_sizes::SizeOf(q.sizes, from) / unit_sizes::SizeOf(q.sizes, to));
    }
    ADD_FAILURE() << "a converter the test does not know";
    return 0;
  }
  static bool Huge(double x) { return std::fabs(x) > 1e300; }
  // Within 1 %, and for temperatures within a thousandth of a degree too (the Fahrenheit to
  // kelvin rule's constants are rounded to a millionth).
  double Slack() const { return &m_dlg.Window().units == &temperature::kTable ? 1e-3 : 0; }
  bool Agrees(double got, double expected) const {
    if (std::isnan(expected) || std::isnan(got)) return std::isnan(expected) && std::isnan(got);
    if (Huge(expected) || Huge(got)) return got * expected > 0 && Huge(got) && Huge(expected);
    return std::fabs(got - expected) <= 0.01 * std::fabs(expected) + Slack() + 1e-300;
  }
  // A value's text: nothing for a number too long to show (29 digits before the point, the eight
  // decimals, the point and room for a sign fill the 39 characters; below 1e-9 a number is not
  // rounded away, so a tiny one shows a zero for each decimal place down to its first digit),
  // "1.#INF0000" for infinity, else a number with eight decimals; an empty field reads as 0, so it
  // is left empty for a 0.
  bool Shows(const std::string& text, double expected) const {
    const bool unshowable = std::isnan(expected) || std::fabs(expected) >= 0.98e29 ||
                            (expected != 0 && std::fabs(expected) < 1e-30);
    if (text.empty() && unshowable) return true;
    if (text == "1.#INF0000" || text == "-1.#INF0000") {
      return Huge(expected) && (text[0] == '-') == (expected < 0);
    }
    if (std::isnan(expected) || std::fabs(expected) >= 1.02e29) return false;
    char* end = nullptr;
    const double shown = std::strtod(text.c_str(), &end);
    return *end == '\0' &&
           std::fabs(shown - expected) <= 0.01 * std::fabs(expected) + Slack() + 1e-8;
  }
  // The field being typed into shows what it holds, read on its first 38 characters: an empty or
  // sign-only text holds 0.
  static bool ReadsAs(const std::string& text, double value) {
    const double read = std::strtod(text.substr(0, 38).c_str(), nullptr);
    return read == value || std::fabs(read - value) <= 1e-15 * std::fabs(value);
  }

  CConverterDlg& m_dlg;
  std::uint16_t m_source;  // the unit the others were last converted from
};

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

// The world time window: the three clocks stand apart by the offsets of the places chosen.
class WorldTimeWalk : public WindowWalk {
 public:
  // placesSwept counts the places chosen so far, in list order, across the walk's visits.
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
    return {"row " + std::to_string(row) + " chosen in list " + Id(list), [=, this] {
              SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
              SendMessageW(m_dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(list));
            }};
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

// The size tables of the clothing sheet, written out here once: American, British and French
// sizes, row by row.
using SizeRow = std::array<const wchar_t*, 3>;
const SizeRow kMenSuits[] = {{L"36", L"36", L"46"}, {L"38", L"38", L"48"}, {L"40", L"40", L"50"},
                             {L"42", L"42", L"52"}, {L"44", L"44", L"54"}, {L"46", L"46", L"56"}};
const SizeRow kMenShoes[] = {{L"8", L"7", L"41"},       {L"8.5", L"7.5", L"42"},
                             {L"9.5", L"8.5", L"43"},   {L"10.5", L"9.5", L"44"},
                             {L"11.5", L"10.5", L"45"}, {L"12", L"11", L"46"}};
const SizeRow kWomenDresses[] = {
    {L"6", L"8", L"--"},   {L"8", L"10", L"38"},  {L"10", L"12", L"40"}, {L"12", L"14", L"42"},
    {L"14", L"16", L"44"}, {L"16", L"18", L"46"}, {L"18", L"20", L"48"}};
const SizeRow kWomenShoes[] = {{L"6", L"4.5", L"38"}, {L"6.5", L"5", L"38"}, {L"7", L"5.5", L"39"},
                               {L"7.5", L"6", L"39"}, {L"8", L"6.5", L"40"}, {L"8.5", L"7", L"41"},
                               {L"9", L"7.5", L"41"}};
// Garments then shoes, for the men's page (the first) and the women's.
const std::span<const SizeRow> kSizeTables[2][2] = {{kMenSuits, kMenShoes},
                                                    {kWomenDresses, kWomenShoes}};

// The clothing sheet: every list holds its column of the page's size tables; an entry chosen in
// a list brings the other two lists of its group to the same row and changes nothing else; a
// page shows again what it showed before.
class ClothingWalk : public WindowWalk {
 public:
  explicit ClothingWalk(HWND sheet) : m_sheet(sheet) {}

  Action Next(Walk& walk) override {
    static constexpr UINT kListKeys[] = {VK_UP, VK_DOWN, VK_HOME, VK_END, VK_PRIOR, VK_NEXT};
    const int kind = walk.Int(0, 99);
    m_acted = -1;
    if (kind < 20) {
      const int tab = walk.Int(0, 1);
      return {"tab " + std::to_string(tab),
              [this, tab] { SendMessageW(m_sheet, PSM_SETCURSEL, tab, 0); }};
    }
    const int index = walk.Int(0, 5);
    const HWND page = Page();
    const HWND list = GetDlgItem(page, kLists[index]);
    if (kind < 75) {
      const UINT key = walk.Pick(kListKeys);
      return {"key " + std::to_string(key) + " on list " + std::to_string(kLists[index]),
              [this, index, list, key] {
                m_acted = index;
                m_chosen = false;
                PressKey(list, key);
              }};
    }
    const int rows = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    const int row = walk.Int(0, rows - 1);
    return {"row " + std::to_string(row) + " chosen in list " + std::to_string(kLists[index]),
            [this, index, page, list, row] {
              m_acted = index;
              m_chosen = true;
              SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
              SendMessageW(page, WM_COMMAND, MAKEWPARAM(kLists[index], CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(list));
            }};
  }

  void Check() override {
    const HWND page = Page();
    ASSERT_NE(page, nullptr) << "the sheet shows no page";
    Rows now{};
    for (int i = 0; i < 6; ++i) {
      now[i] = static_cast<int>(SendMessageW(GetDlgItem(page, kLists[i]), CB_GETCURSEL, 0, 0));
    }
    const auto seen = m_seen.find(page);
    if (seen != m_seen.end()) {
      const Rows& before = seen->second;
      Rows aligned = before;
      if (m_acted >= 0) {
        const int group = m_acted / 3 * 3;
        for (int i = group; i < group + 3; ++i) aligned[i] = now[m_acted];
      }
      if (m_acted >= 0 && (m_chosen || now[m_acted] != before[m_acted])) {
        EXPECT_EQ(now, aligned) << "rows of the lists, garments then shoes";
      } else {
        // A key that leaves its list on the same row may still be told as a choice (Wine's
        // lists tell it at either end).
        EXPECT_TRUE(now == before || now == aligned)
            << "rows of the lists, garments then shoes: " << testing::PrintToString(now)
            << " after " << testing::PrintToString(before);
      }
    }
    m_seen[page] = now;
    ExpectSizeTexts(page);
  }

 private:
  using Rows = std::array<int, 6>;
  static constexpr int kLists[6] = {IDC_SIZE_GARMENT_US, IDC_SIZE_GARMENT_UK, IDC_SIZE_GARMENT_FR,
                                    IDC_SIZE_SHOE_US,    IDC_SIZE_SHOE_UK,    IDC_SIZE_SHOE_FR};

  HWND Page() const {
    return reinterpret_cast<HWND>(SendMessageW(m_sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  }

  void ExpectSizeTexts(HWND page) const {
    const auto index = SendMessageW(m_sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0);
    ASSERT_TRUE(index == 0 || index == 1) << "page " << index;
    for (int i = 0; i < 6; ++i) {
      const std::span<const SizeRow> table = kSizeTables[index][i / 3];
      const HWND list = GetDlgItem(page, kLists[i]);
      ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(table.size()))
          << "entries of list " << kLists[i] << " on page " << index;
      for (std::size_t row = 0; row < table.size(); ++row) {
        wchar_t text[16] = {};
        if (SendMessageW(list, CB_GETLBTEXTLEN, row, 0) < 16) {
          SendMessageW(list, CB_GETLBTEXT, row, reinterpret_cast<LPARAM>(text));
        }
        EXPECT_EQ(Printable(text), Printable(table[row][i % 3]))
            << "row " << row << " of list " << kLists[i] << " on page " << index;
      }
    }
  }

  HWND m_sheet;
  std::map<HWND, Rows> m_seen;  // each page's rows when last checked
  int m_acted = -1;             // the list the last action was on
  bool m_chosen = false;        // chosen with the mouse: told even when the row did not change
};

// The About box has nothing to act on: it is only opened and closed.
class AboutWalk : public WindowWalk {
 public:
  Action Next(Walk&) override {
    return {"nothing", [] {}};
  }
  void Check() override {}
};

void Walk::DrawSystem() {
  static constexpr LONG kBiases[] = {-180, -330, 0, 300, 210, -60, -345, 720, -840};
  g_system.now = SYSTEMTIME{};
  g_system.now.wYear = static_cast<WORD>(Int(1601, 6000));
  g_system.now.wMonth = static_cast<WORD>(Int(1, 12));
  g_system.now.wDay = static_cast<WORD>(Int(1, 28));
  g_system.now.wHour = static_cast<WORD>(Int(0, 23));
  g_system.now.wMinute = static_cast<WORD>(Int(0, 59));
  g_system.bias = Pick(kBiases);
  g_system.timeFormat = Chance(50) ? L"1" : L"0";
}

std::unique_ptr<WindowWalk> Walk::RulesOf(int n, HWND window) {
  constexpr UINT kTemplates[CRalimetView::kExitButton] = {
      IDD_AREA, IDD_DATE,        0,          IDD_SPEED,  IDD_WORLDTIME, IDD_LENGTH,
      IDD_TIME, IDD_TEMPERATURE, IDD_VOLUME, IDD_WEIGHT, IDD_ABOUTBOX,
  };
  CWnd* object = CWnd::FromHandlePermanent(window);
  if (auto* converter = dynamic_cast<CConverterDlg*>(object)) {
    if (converter->Window().templateId == kTemplates[n]) {
      return std::make_unique<ConverterWalk>(*converter);
    }
  } else if (n == kDateButton && dynamic_cast<CDateDlg*>(object)) {
    return std::make_unique<DateWalk>(window);
  } else if (auto* worldTime = dynamic_cast<CWorldTimeDlg*>(object)) {
    if (n == kWorldTimeButton) return std::make_unique<WorldTimeWalk>(*worldTime, m_placesSwept);
  } else if (n == kClothingButton && dynamic_cast<CDlgDress*>(object)) {
    return std::make_unique<ClothingWalk>(window);
  } else if (n == CRalimetView::kAboutButton && dynamic_cast<CAboutDlg*>(object)) {
    return std::make_unique<AboutWalk>();
  }
  return nullptr;
}

bool Walk::Step(HWND window, const Action& action, WindowWalk* rules) {
  ++m_done;
  SCOPED_TRACE(testing::Message() << "seed " << m_seed << ", action " << m_done << " in the "
                                  << m_windowName << " window: " << action.what);
  if (m_verbose) std::printf("%lu %s: %s\n", m_done, m_windowName, action.what.c_str());
  action.run();
  PumpMessages();
  DWORD_PTR result = 0;
  if (!IsWindow(window) ||
      !SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result)) {
    ADD_FAILURE() << "the window no longer answers";
  } else if (rules) {
    rules->Check();
  }
  m_failed = testing::Test::HasFailure();
  return !m_failed;
}

void Walk::Inside(int n, HWND window) {
  m_visited = true;
  std::unique_ptr<WindowWalk> rules = RulesOf(n, window);
  const bool sheet = n == kClothingButton;
  if (!rules) {
    ADD_FAILURE() << "seed " << m_seed << ": button " << n << " did not open the " << m_windowName
                  << " window";
    m_failed = true;
  }
  if (rules && Step(window, {"open", [] {}}, rules.get())) {
    const int most = n == CRalimetView::kAboutButton ? 0 : kMostActionsPerVisit;
    for (int actions = Int(0, most);
         actions > 0 && !stopped() && Step(window, rules->Next(*this), rules.get()); --actions) {
    }
  }
  // However the walk went, the window is closed, in one of the ways a user closes it.
  static const char* const kWays[] = {"back button", "Escape", "close box", "Enter"};
  const int way = Int(0, 3);
  ++m_done;
  SCOPED_TRACE(testing::Message() << "seed " << m_seed << ", action " << m_done << ": close the "
                                  << m_windowName << " window by its " << kWays[way]);
  HWND focus = GetFocus();
  if (!IsChild(window, focus)) focus = window;
  MSG key{focus, WM_KEYDOWN, static_cast<WPARAM>(way == 1 ? VK_ESCAPE : VK_RETURN), 1, 0, {}};
  switch (way) {
    case 0:
      if (sheet) {
        SendMessageW(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
      } else {
        SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
      }
      break;
    case 2:
      SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    default:
      IsDialogMessageW(window, &key);
  }
  // The window's loop ends at its next message.
  PostMessageW(window, WM_NULL, 0, 0);
}

BOOL CALLBACK CancelOwnedWindow(HWND hwnd, LPARAM) {
  if (IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER)) {
    PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
  return TRUE;
}

// A window that did not close is a failure of the walk, and is closed here so that the test ends
// rather than hangs.
void CALLBACK CloseLeftOpen(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  ADD_FAILURE() << "a window stayed open after it was closed";
  EnumThreadWindows(GetCurrentThreadId(), CancelOwnedWindow, 0);
}

// The middle of the points of the view that hit button n.
POINT ButtonCentre(const CRalimetView& view, int n) {
  long x = 0, y = 0, count = 0;
  for (LONG py = 0; py < 400; ++py) {
    for (LONG px = 0; px < 300; ++px) {
      if (view.GetButton(n).HitTest({px, py})) {
        x += px;
        y += py;
        ++count;
      }
    }
  }
  return count ? POINT{x / count, y / count} : POINT{-1, -1};
}

void Walk::Visit(CRalimetView& view, int n) {
  m_windowName = kWindowNames[n];
  m_visited = false;
  DrawSystem();
  UINT_PTR rescue = 0;
  ActInsideModalLoop([this, n, &rescue](HWND active) {
    Inside(n, active);
    rescue = SetTimer(nullptr, 0, 2000, CloseLeftOpen);
  });
  // As a user opens it: the pointer onto its panel button, pressed and released there.
  const POINT at = ButtonCentre(view, n);
  const LPARAM where = MAKELPARAM(at.x, at.y);
  SendMessageW(view.m_hWnd, WM_MOUSEMOVE, 0, where);
  SendMessageW(view.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, where);
  SendMessageW(view.m_hWnd, WM_LBUTTONUP, 0, where);
  if (rescue) KillTimer(nullptr, rescue);
  if (!m_visited) {
    ADD_FAILURE() << "seed " << m_seed << ": the " << m_windowName << " window never ran";
    m_failed = true;
  }
}

class RandomWalkTest : public RunningAppTest {
 protected:
  void SetUp() override {
    RegDeleteKeyW(HKEY_CURRENT_USER, SettingsKey(CWorldTimeDlg::kSection).c_str());
    RunningAppTest::SetUp();
  }
  void TearDown() override {
    RunningAppTest::TearDown();
    RegDeleteKeyW(HKEY_CURRENT_USER, SettingsKey(CWorldTimeDlg::kSection).c_str());
  }

 private:
  StandIn<platform::SetLocalTimeForTesting> m_time{WalkLocalTime};
  StandIn<platform::SetTimeZoneForTesting> m_zone{WalkTimeZone};
  StandIn<platform::SetUserLocaleInfoForTesting> m_locale{WalkLocaleInfo};
  StandIn<platform::SetEnumZoneForTesting> m_zoneList{WalkZoneList};
};

TEST_F(RandomWalkTest, EveryWindowKeepsItsRulesWhateverTheUserDoes) {
  const unsigned long seed = FromEnvironment("RALIMET_WALK_SEED", kSeed);
  const unsigned long budget = FromEnvironment("RALIMET_WALK_ACTIONS", kActions);
  ASSERT_TRUE(PutOnClipboard(m_frame->m_hWnd, L"12.5"));
  ASSERT_EQ(ClipboardText(), L"12.5") << "pasting needs the clipboard";

  BeepCounter beeps;
  Walk walk(seed, budget);
  const auto start = std::chrono::steady_clock::now();
  while (!walk.stopped()) {
    walk.Visit(*m_view, walk.Int(0, CRalimetView::kExitButton - 1));
    EXPECT_TRUE(LauncherAnswers()) << "seed " << seed << ", after action " << walk.done();
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  RecordProperty("seed", std::to_string(seed));
  RecordProperty("actions", static_cast<int>(walk.done()));
  std::printf("random walk: %lu actions, seed %lu, %d beeps, %.1f s\n", walk.done(), seed,
              beeps.count(), seconds);
  EXPECT_FALSE(walk.Expired()) << "only " << walk.done() << " of " << budget << " actions in "
                               << seconds << " s";
}

}  // namespace
