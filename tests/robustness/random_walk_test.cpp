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
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "calendar/date_dlg.h"
#include "fake_system.h"
#include "panel/about_dlg.h"
#include "panel_geometry.h"
#include "platform/platform.h"
#include "res/resource.h"
#include "running_app.h"
#include "sizes/dress_sheet.h"
#include "units/converter_dlg.h"
#include "walk.h"
#include "worldtime/world_time_dlg.h"

namespace random_walk {
namespace {

constexpr unsigned long kSeed = 20260308;
constexpr unsigned long kActions = 10000;
// The default walk stops at 200 s, inside the test's time-out of 240 s, so that a slow walk says
// how far it came (it takes 40 s alone, and 100 s beside a build and another Wine session); a
// longer one has 10 ms an action (RALIMET_WALK_SECONDS sets another limit).
constexpr auto kTimeLimit = std::chrono::seconds(200);
constexpr auto kTimePerAction = std::chrono::milliseconds(10);
constexpr int kMostActionsPerVisit = 150;

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

// Keys a user might press in a field: mostly digits, then what a number may hold, what it may
// not, Arabic-Indic digits and the backspace.
constexpr wchar_t kKeys[] =
    L"01234567890123456789012345678901234567890123456789..--ee+E, xa/\u0660\u0663\u0669\u06F4"
    L"\b\b";

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

}  // namespace

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

Walk::Walk(unsigned long seed, unsigned long budget)
    : m_seed(seed),
      m_budget(budget),
      m_rng(static_cast<std::uint32_t>(seed)),
      m_timeLimit(TimeLimit(budget)),
      m_verbose(FromEnvironment("RALIMET_WALK_VERBOSE", 0) != 0) {}

wchar_t Walk::AnyKey() {
  return kKeys[Int(0, static_cast<int>(std::size(kKeys)) - 2)];
}

std::wstring Walk::Text() {
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
std::wstring Walk::Number() {
  std::wstring text = Chance(25) ? L"-" : L"";
  text += Digits(Int(0, 12));
  if (Chance(50)) text += L"." + Digits(Int(0, 12));
  if (Chance(30)) {
    text += Chance(50) ? L"e-" : L"e";
    text += std::to_wstring(Int(0, 400));
  }
  return text;
}
std::wstring Walk::Digits(int count) {
  std::wstring digits;
  for (; count > 0; --count) digits += static_cast<wchar_t>(L'0' + Int(0, 9));
  return digits;
}
std::wstring Walk::Long() {
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

Action Walk::Edit(HWND field, int id, const std::function<std::wstring()>& text) {
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

// The clock, the zone and the regional 12/24-hour choice, drawn afresh for each window opened. The
// walk checks the clocks against the places' standard offsets, so the system's zone list stays
// empty: each place keeps its row's code.
void Walk::DrawSystem() {
  static constexpr LONG kBiases[] = {-180, -330, 0, 300, 210, -60, -345, 720, -840};
  g_system.local = SYSTEMTIME{};
  g_system.local.wYear = static_cast<WORD>(Int(1601, 6000));
  g_system.local.wMonth = static_cast<WORD>(Int(1, 12));
  g_system.local.wDay = static_cast<WORD>(Int(1, 28));
  g_system.local.wHour = static_cast<WORD>(Int(0, 23));
  g_system.local.wMinute = static_cast<WORD>(Int(0, 59));
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
      return ConverterRules(*converter);
    }
  } else if (n == kDateButton && dynamic_cast<CDateDlg*>(object)) {
    return DateRules(window);
  } else if (auto* worldTime = dynamic_cast<CWorldTimeDlg*>(object)) {
    if (n == kWorldTimeButton) return WorldTimeRules(*worldTime, m_placesSwept);
  } else if (n == kClothingButton && dynamic_cast<CDlgDress*>(object)) {
    return ClothingRules(window);
  } else if (n == CRalimetView::kAboutButton && dynamic_cast<CAboutDlg*>(object)) {
    return std::make_unique<WindowWalk>();
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

void Walk::Visit(CRalimetView& view, int n) {
  m_windowName = kWindowNames[n];
  m_visited = false;
  DrawSystem();
  // A window that did not close is a failure of the walk, and is closed so that the test ends
  // rather than hangs.
  StillOpenGuard stillOpen;
  ActInsideModalLoop([this, n, &stillOpen](HWND active) {
    Inside(n, active);
    stillOpen.Watch(active);
  });
  // As a user opens it: the pointer onto its panel button, pressed and released there.
  const POINT at = panel::ButtonCentre(n);
  const LPARAM where = MAKELPARAM(at.x, at.y);
  SendMessageW(view.m_hWnd, WM_MOUSEMOVE, 0, where);
  SendMessageW(view.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, where);
  SendMessageW(view.m_hWnd, WM_LBUTTONUP, 0, where);
  EXPECT_FALSE(stillOpen.closedIt())
      << "seed " << m_seed << ": the " << m_windowName << " window stayed open after it was closed";
  if (!m_visited) {
    ADD_FAILURE() << "seed " << m_seed << ": the " << m_windowName << " window never ran";
    m_failed = true;
  }
}

namespace {

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
  FakeSystemInPlace m_system;
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
}  // namespace random_walk
