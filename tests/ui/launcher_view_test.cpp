// The launcher as the program starts it, driven with real mouse, key and command messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "framework/handles.h"
#include "launcher_fixture.h"
#include "platform/platform.h"
#include "test_support.h"

namespace {

TEST_F(LauncherTest, ClickSoundsAtThePressAndRunsAtTheRelease) {
  SoundRecorder sounds;
  AboutWatcher about;
  MoveTo(kAboutCentre);
  EXPECT_EQ(State(10), 1);
  Press(kAboutCentre);
  EXPECT_EQ(State(10), 2);
  EXPECT_EQ(sounds.plays().size(), 1u);
  EXPECT_NE(sounds.plays().at(0), nullptr) << "the click is the program's wave resource";
  EXPECT_EQ(about.opened(), 0);
  Release(kAboutCentre);
  EXPECT_EQ(about.opened(), 1);
  EXPECT_EQ(sounds.plays().size(), 1u) << "a release is silent";
  EXPECT_EQ(State(10), 1);
  EXPECT_EQ(m_view->GetHot(), 10);
  EXPECT_EQ(m_view->GetPressed(), -1);
}

TEST_F(LauncherTest, PressWithoutHighlightIsSilentButStillRuns) {
  SoundRecorder sounds;
  AboutWatcher about;
  Press(kAboutCentre);
  Release(kAboutCentre);
  EXPECT_TRUE(sounds.plays().empty());
  EXPECT_EQ(about.opened(), 1);
}

TEST_F(LauncherTest, DragOffAndReleaseRunsNothing) {
  WindowWatcher windows;
  MoveTo(kAboutCentre);
  Press(kAboutCentre);
  DragTo(kLengthCentre);
  EXPECT_EQ(State(10), 1) << "held off its button, it shows highlighted";
  EXPECT_EQ(State(5), 0) << "no other button changes while a press is held";
  Release(kLengthCentre);
  EXPECT_TRUE(windows.captions().empty())
      << "neither the pressed button nor the one under the release opens a window; opened "
      << testing::PrintToString(windows.captions());
  EXPECT_EQ(State(10), 1);
  EXPECT_EQ(m_view->GetHot(), 10);
}

TEST_F(LauncherTest, DragOffAndBackClicksAgainAndRunsOnce) {
  SoundRecorder sounds;
  AboutWatcher about;
  MoveTo(kAboutCentre);
  Press(kAboutCentre);
  DragTo(kOffEveryButton);
  DragTo(kAboutCentre);
  EXPECT_EQ(sounds.plays().size(), 2u);
  Release(kAboutCentre);
  EXPECT_EQ(about.opened(), 1);
}

TEST_F(LauncherTest, PressEndedOutsideTheViewIsDropped) {
  AboutWatcher about;
  MoveTo(kAboutCentre);
  Press(kAboutCentre);
  MoveTo(kLengthCentre);  // back over the view with the mouse button already up
  EXPECT_EQ(m_view->GetPressed(), -1);
  EXPECT_EQ(State(10), 0);
  EXPECT_EQ(State(5), 1);
  EXPECT_EQ(m_view->GetHot(), 5);
  Release(kAboutCentre);
  EXPECT_EQ(about.opened(), 0);
}

TEST_F(LauncherTest, DoubleClickRunsOnce) {
  AboutWatcher about;
  MoveTo(kAboutCentre);
  Press(kAboutCentre);
  Release(kAboutCentre);
  Mouse(WM_LBUTTONDBLCLK, kAboutCentre, MK_LBUTTON);
  Release(kAboutCentre);
  EXPECT_EQ(about.opened(), 1);
}

TEST_F(LauncherTest, EnterRunsTheCurrentButtonOnceThereIsOne) {
  AboutWatcher about;
  SoundRecorder sounds;
  KeyDown(VK_RETURN);
  EXPECT_EQ(about.opened(), 0) << "no current button yet";
  MoveTo(kAboutCentre);
  MoveTo(kOffEveryButton);
  EXPECT_EQ(State(10), 0);
  KeyDown(VK_RETURN);
  EXPECT_EQ(about.opened(), 1) << "the pointer left, the button stays current";
  EXPECT_TRUE(sounds.plays().empty());
}

TEST_F(LauncherTest, ArrowKeysStepOnReleaseAndWrap) {
  struct Step {
    UINT key;
    int hot;
  };
  const struct {
    const char* name;
    std::vector<Step> steps;
  } cases[] = {
      {"right from none", {{VK_RIGHT, 11}}},
      {"left from none", {{VK_LEFT, 0}}},
      {"down wraps past the last", {{VK_UP, 11}, {VK_DOWN, 0}}},
      {"up wraps past the first", {{VK_DOWN, 0}, {VK_UP, 11}, {VK_UP, 10}}},
  };
  for (const auto& c : cases) {
    Restart();
    SoundRecorder sounds;
    for (const Step& step : c.steps) {
      const int before = m_view->GetHot();
      KeyDown(step.key);
      EXPECT_EQ(m_view->GetHot(), before) << c.name << ": nothing moves on the key-down";
      KeyUp(step.key);
      EXPECT_EQ(m_view->GetHot(), step.hot) << c.name;
      if (before >= 0 && before != step.hot) {
        EXPECT_EQ(State(before), 0) << c.name;
      }
      EXPECT_EQ(State(step.hot), 1) << c.name;
    }
    EXPECT_TRUE(sounds.plays().empty()) << c.name;
  }
}

TEST_F(LauncherTest, EachButtonOpensItsWindow) {
  const wchar_t* const expected[] = {
      L"المساحة",    L"التاريخ", L"مقاسات الملبوسات", L"السرعة", L"التوقيت",
      L"الطول",      L"الزمن",   L"درجة الحرارة",     L"الحجم",  L"وزن",
      kAboutCaption,
  };
  for (int n = 0; n < CRalimetView::kExitButton; ++n) {
    WindowWatcher watcher;
    m_view->RunButton(n);
    EXPECT_EQ(watcher.captions(), std::vector<std::wstring>{expected[n]}) << "button " << n;
  }
}

TEST_F(LauncherTest, ClosingStopsTheSound) {
  SoundRecorder sounds;
  Stop();
  EXPECT_EQ(sounds.stops(), 1);
}

TEST_F(LauncherTest, PlainArgumentPicksTheSecondPictureSet) {
  struct Case {
    const wchar_t* commandLine;
    UINT areaFace;
  };
  const Case cases[] = {
      {L"", 159},
      {L"pictures", 1159},
      {L"/x -y", 159},
      {L"-y \"my file\"", 1159},
  };
  for (const Case& c : cases) {
    Restart(c.commandLine);
    EXPECT_EQ(m_view->GetButton(0).GetBitmapId(), c.areaFace)
        << testing::PrintToString(c.commandLine);
    EXPECT_NE(m_view->GetPalette(), nullptr);
  }
}

// The caption height of the system's frame metrics for as long as it lives.
class CaptionHeight {
 public:
  explicit CaptionHeight(int pixels) {
    m_saved.cbSize = sizeof m_saved;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m_saved, &m_saved, 0);
    NONCLIENTMETRICSW changed = m_saved;
    changed.iCaptionHeight += pixels - GetSystemMetrics(SM_CYCAPTION);
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof changed, &changed, 0);
  }
  ~CaptionHeight() { SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof m_saved, &m_saved, 0); }
  CaptionHeight(const CaptionHeight&) = delete;
  CaptionHeight& operator=(const CaptionHeight&) = delete;

 private:
  NONCLIENTMETRICSW m_saved{};
};

// The design's 18-pixel caption gives the 300 x 417 window it was drawn for; a thicker one, as on
// current Windows, a larger window: the panel always shows whole, in a fixed window centred on the
// screen and captioned Ralimet.
TEST_F(LauncherTest, MainWindowIsFixedCentredAndShowsTheWholePanelWhateverTheCaptionHeight) {
  // The system's own caption first (Wine's is 19 pixels).
  for (const int caption : {GetSystemMetrics(SM_CYCAPTION), 18, 23, 31}) {
    CaptionHeight metrics(caption);
    Restart();
    ASSERT_EQ(GetSystemMetrics(SM_CYCAPTION), caption);
    RECT view;
    GetClientRect(m_view->m_hWnd, &view);
    EXPECT_EQ(view.right, 290) << caption << "-pixel caption";
    EXPECT_EQ(view.bottom, 389) << caption << "-pixel caption";
    const HWND frame = m_frame->m_hWnd;
    RECT outer;
    GetWindowRect(frame, &outer);
    const SIZE size{outer.right - outer.left, outer.bottom - outer.top};
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2) << caption;
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2) << caption;
    if (caption == 18 && GetSystemMetrics(SM_CXFIXEDFRAME) == 3 &&
        GetSystemMetrics(SM_CYFIXEDFRAME) == 3) {
      EXPECT_EQ(size.cx, 300);
      EXPECT_EQ(size.cy, 417);
    }
    EXPECT_EQ(TextOf(frame), L"Ralimet") << caption;
    EXPECT_FALSE(IsIconic(frame) || IsZoomed(frame)) << caption;
    const LONG_PTR style = GetWindowLongPtrW(frame, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_SYSMENU)
        << "a caption and a close box, but no sizing or other box";
    EXPECT_EQ(GetWindowLongPtrW(frame, GWL_EXSTYLE) & (WS_EX_RIGHT | WS_EX_RTLREADING),
              WS_EX_RIGHT | WS_EX_RTLREADING)
        << caption;
    EXPECT_EQ(GetMenu(frame), nullptr) << caption;
    EXPECT_TRUE(IsWindowVisible(frame)) << caption;
    EXPECT_EQ(GetFocus(), m_view->m_hWnd) << "the view has the keyboard";
  }
}

// Presses a key combination through the main window's accelerator table, as the message loop does.
bool Accelerate(CMainFrame* frame, UINT modifier, UINT key) {
  BYTE keys[256] = {};
  keys[modifier] = 0x80;
  SetKeyboardState(keys);
  MSG msg{frame->GetActiveView()->m_hWnd, WM_KEYDOWN, key, 1, 0, {}};
  const bool translated = TranslateAcceleratorW(frame->m_hWnd, frame->m_hAccelTable, &msg);
  keys[modifier] = 0;
  SetKeyboardState(keys);
  return translated;
}

std::wstring g_chosenFile;

void WriteFile(const std::filesystem::path& file, const char* contents) {
  std::FILE* f = _wfopen(file.c_str(), L"wb");
  std::fputs(contents, f);
  std::fclose(f);
}

TEST_F(LauncherTest, SaveWritesAnEmptyFileAndTheOtherAcceleratorsChangeNothing) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / L"ralimet-save.rlm";
  WriteFile(file, "old contents");
  g_chosenFile = file.wstring();
  static int asked = 0;
  asked = 0;
  const StandIn<platform::SetAskFileNameForTesting> ask{[](HWND, bool save, std::wstring& path) {
    ++asked;
    EXPECT_TRUE(save);
    EXPECT_EQ(path, L"Ralime") << "the new-file name is offered";
    path = g_chosenFile;
    return true;
  }};
  EXPECT_TRUE(Accelerate(m_frame, VK_CONTROL, 'S'));
  PumpMessages();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(std::filesystem::file_size(file), 0u);
  EXPECT_TRUE(Accelerate(m_frame, VK_CONTROL, 'S'));
  PumpMessages();
  EXPECT_EQ(asked, 1) << "once named, the document saves without asking";

  // The others have nothing to act on: no file is asked for or written, no window opens, and the
  // panel stays the view it was.
  WriteFile(file, "kept");
  WindowWatcher windows;
  for (const auto& [modifier, key] : {std::pair<UINT, UINT>{VK_CONTROL, 'Z'},
                                      {VK_CONTROL, 'C'},
                                      {VK_SHIFT, VK_INSERT},
                                      {VK_CONTROL, 'N'},
                                      {VK_SHIFT, VK_F6}}) {
    EXPECT_TRUE(Accelerate(m_frame, modifier, key)) << key;
    PumpMessages();
    EXPECT_EQ(asked, 1) << key;
    EXPECT_EQ(std::filesystem::file_size(file), 4u) << key << " wrote the document";
    EXPECT_EQ(m_frame->GetActiveView(), m_view) << key;
  }
  EXPECT_EQ(windows.captions(), std::vector<std::wstring>{});
  EXPECT_TRUE(IsWindow(m_frame->m_hWnd));
  std::filesystem::remove(file);
}

TEST_F(LauncherTest, ProfileReadsOnlyWhatItWrote) {
  const wchar_t* section = L"ProfileTest";
  EXPECT_EQ(m_app->GetProfileInt(section, L"Missing", 42), 42u);
  ASSERT_TRUE(m_app->WriteProfileInt(section, L"Value", -3));
  EXPECT_EQ(static_cast<int>(m_app->GetProfileInt(section, L"Value", 0)), -3);

  const std::wstring keyPath = SettingsKey(section);
  {
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_WRITE, &raw), ERROR_SUCCESS);
    const UniqueRegKey key(raw);
    const wchar_t text[] = L"7";
    RegSetValueExW(key.get(), L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    const ULONGLONG wide = 7;
    RegSetValueExW(key.get(), L"Wide", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&wide),
                   sizeof wide);
  }
  EXPECT_EQ(m_app->GetProfileInt(section, L"Text", 9), 9u) << "a string is not a number";
  EXPECT_EQ(m_app->GetProfileInt(section, L"Wide", 9), 9u) << "eight bytes are not a DWORD";
  RegDeleteKeyW(HKEY_CURRENT_USER, keyPath.c_str());
}

bool (*g_refuse)(const CREATESTRUCTW&) = nullptr;
std::vector<std::wstring> g_told;
// Refuses the making of a window, as a system out of windows would.
LRESULT CALLBACK RefuseCreation(int code, WPARAM wParam, LPARAM lParam) {
  const auto* cbt = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
  if (code == HCBT_CREATEWND && g_refuse && g_refuse(*cbt->lpcs)) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Whether this thread still has a top-level window with the program's title: another test program
// running beside this one may have its own main window open.
BOOL CALLBACK NoteRalimetWindow(HWND window, LPARAM found) {
  wchar_t title[16] = {};
  GetWindowTextW(window, title, 16);
  if (wcscmp(title, L"Ralimet") == 0) *reinterpret_cast<bool*>(found) = true;
  return TRUE;
}
bool ThreadHasRalimetWindow() {
  bool found = false;
  EnumThreadWindows(GetCurrentThreadId(), NoteRalimetWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// A failed start tells the user which step failed and the error, and leaves nothing behind.
TEST_F(LauncherTest, AFailedStartNamesItsStepAndTheNextStartWorks) {
  Stop();
  const struct {
    bool (*refuse)(const CREATESTRUCTW&);
    int bitmapBase;  // 5000: no such pictures
    const wchar_t* stepName;
  } cases[] = {
      {[](const CREATESTRUCTW& w) { return !(w.style & WS_CHILD); }, 0, L"إنشاء النافذة الرئيسية"},
      {[](const CREATESTRUCTW& cs) { return cs.hMenu == HMENU(AFX_IDW_PANE_FIRST); }, 0,
       L"إنشاء لوحة الأزرار"},
      {nullptr, 5000, L"تحميل صور اللوحة"},
  };
  for (const auto& c : cases) {
    g_refuse = c.refuse;
    const HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseCreation, nullptr, GetCurrentThreadId());
    m_app = std::make_unique<CRalimetApp>();
    m_app->m_nBitmapBase = c.bitmapBase;
    g_told.clear();
    {
      const StandIn<platform::SetTellFailureForTesting> tell{
          [](const wchar_t*, const wchar_t* text) { g_told.push_back(text); }};
      EXPECT_FALSE(m_app->InitInstance());
    }
    UnhookWindowsHookEx(hook);
    const char* step = CreateStepName(AfxGetCreateFailure().step);
    const std::wstring told = std::wstring(L"تعذّر فتح نافذة Ralimet عند ") + c.stepName +
                              L" (خطأ النظام " + std::to_wstring(AfxGetCreateFailure().error) +
                              L").";
    EXPECT_TRUE(g_told == std::vector<std::wstring>{told}) << step << " failed";
    EXPECT_FALSE(ThreadHasRalimetWindow()) << step;
    EXPECT_EQ(PumpMessages(), -1) << step << ": a quit message left behind";
  }
  EXPECT_EQ(AfxGetCreateFailure().error, DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
  Start(L"");
}

}  // namespace
