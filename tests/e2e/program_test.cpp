// ralimet.exe as a whole: started as a process of its own and driven from outside with the
// messages that a user's mouse and keys produce; what it shows is read back through the system.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "panel_geometry.h"
#include "program_fixture.h"

namespace e2e {
namespace {

const std::optional<DWORD> kExitButtonCode = 1;
const std::optional<DWORD> kClosedCode = 0;

// The view shows the whole panel, no more and no less.
void ExpectPanelSized(HWND view, const char* when) {
  RECT rect{};
  GetClientRect(view, &rect);
  EXPECT_EQ(rect.right, 290) << when << ": the panel's width";
  EXPECT_EQ(rect.bottom, 389) << when << ": the panel's height";
}

// ---- Ending the program -----------------------------------------------------------------------

using ProgramEndTest = ProgramTest;

TEST_F(ProgramEndTest, PressOnExitReleasedOffItDoesNotEnd) {
  const POINT exit = panel::ButtonCentre(panel::kExitButton);
  const POINT title{145, 30};  // on the panel's title, on no button
  const struct {
    const char* name;
    bool moveFirst;
  } releases[] = {
      {"dragged off, then released", true},
      {"released elsewhere with no move before (a pen's jump)", false},
  };
  for (const auto& release : releases) {
    SCOPED_TRACE(release.name);
    ASSERT_NO_FATAL_FAILURE(Launch());
    PostMouseMove(m_view, exit);
    PostMessageW(m_view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(exit.x, exit.y));
    if (release.moveFirst) PostMouseMove(m_view, title, MK_LBUTTON);
    PostMessageW(m_view, WM_LBUTTONUP, 0, MAKELPARAM(title.x, title.y));
    // Running the button would end the program at once; a second is ample to see it does not.
    EXPECT_EQ(m_program.WaitForExit(std::chrono::milliseconds(1000)), std::nullopt)
        << release.name << ": the press ran the exit button";

    PostMessageW(m_frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(m_program.WaitForExit(), kClosedCode) << release.name;
  }
}

// The exit button, chosen with arrow releases from the start (no current button) and Enter, or
// clicked anywhere on it, ends with code 1; closing the main window, with code 0.
TEST_F(ProgramEndTest, ExitButtonEndsWithCodeOneAndClosingWithZero) {
  const auto keys = [](std::vector<UINT> keyUps) {
    return [keyUps](HWND, HWND view) {
      for (const UINT vk : keyUps) PostKeyUp(view, vk);
      PostKeyDown(view, VK_RETURN);
    };
  };
  const auto click = [](POINT point) {
    return [point](HWND, HWND view) { PostClick(view, point); };
  };
  const RECT exit = panel::ButtonRect(panel::kExitButton);
  const struct {
    const char* name;
    std::function<void(HWND frame, HWND view)> end;
    std::optional<DWORD> code;
  } ways[] = {
      {"Right: from none back to the last button", keys({VK_RIGHT}), kExitButtonCode},
      {"Up: from none back to the last button", keys({VK_UP}), kExitButtonCode},
      {"Left twelve times: 0 up to 11", keys(std::vector<UINT>(12, VK_LEFT)), kExitButtonCode},
      {"Down 24 times: once round, 11 wraps to 0", keys(std::vector<UINT>(24, VK_DOWN)),
       kExitButtonCode},
      {"Right, Left, Right: 11 forward to 0 and back to 11", keys({VK_RIGHT, VK_LEFT, VK_RIGHT}),
       kExitButtonCode},
      {"click on the centre", click(panel::ButtonCentre(panel::kExitButton)), kExitButtonCode},
      {"click on the top left pixel", click({exit.left, exit.top}), kExitButtonCode},
      {"click on the bottom right pixel", click({exit.right - 1, exit.bottom - 1}),
       kExitButtonCode},
      {"close box (SC_CLOSE)",
       [](HWND frame, HWND) { PostMessageW(frame, WM_SYSCOMMAND, SC_CLOSE, 0); }, kClosedCode},
      {"WM_CLOSE", [](HWND frame, HWND) { PostMessageW(frame, WM_CLOSE, 0, 0); }, kClosedCode},
      {"Alt+F4 with the focus on the view",
       [](HWND, HWND view) {
         const UINT scan = MapVirtualKeyW(VK_F4, MAPVK_VK_TO_VSC);
         PostMessageW(view, WM_SYSKEYDOWN, VK_F4, static_cast<LPARAM>(1 | scan << 16 | 1u << 29));
       },
       kClosedCode},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.name);
    ASSERT_NO_FATAL_FAILURE(Launch());
    way.end(m_frame, m_view);
    EXPECT_EQ(m_program.WaitForExit(), way.code) << way.name;
  }
}

// ---- The main window --------------------------------------------------------------------------

using ProgramWindowTest = ProgramTest;

// What the window answers the system about each point of its frame: no place sizes it, and its
// caption has no minimize or maximize button to hit.
TEST_F(ProgramWindowTest, NoPointOfTheFrameSizesMinimizesOrMaximizes) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  RECT rect{};
  ASSERT_TRUE(GetWindowRect(m_frame, &rect));
  std::vector<POINT> points;
  for (LONG x = rect.left; x < rect.right; ++x) {
    points.push_back({x, rect.top});
    points.push_back({x, rect.bottom - 1});
    // Along the middle of the caption, where its buttons are.
    points.push_back(
        {x, rect.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2});
  }
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    points.push_back({rect.left, y});
    points.push_back({rect.right - 1, y});
  }
  int closeBox = 0;
  for (const POINT p : points) {
    DWORD_PTR hit = HTERROR;
    ASSERT_TRUE(SendMessageTimeoutW(m_frame, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y),
                                    SMTO_ABORTIFHUNG, 5000, &hit));
    const bool sizing = (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) || hit == HTSIZE;
    EXPECT_FALSE(sizing) << "sizing hit " << hit << " at (" << p.x << ", " << p.y << ")";
    EXPECT_NE(hit, static_cast<DWORD_PTR>(HTMINBUTTON)) << "at (" << p.x << ", " << p.y << ")";
    EXPECT_NE(hit, static_cast<DWORD_PTR>(HTMAXBUTTON)) << "at (" << p.x << ", " << p.y << ")";
    if (hit == HTCLOSE) ++closeBox;
  }
  EXPECT_GT(closeBox, 0) << "the caption has a close box";
}

TEST_F(ProgramWindowTest, TheViewIsTheOnlyChildAndFillsTheClientArea) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  const HWND child = GetWindow(m_frame, GW_CHILD);
  ASSERT_EQ(child, m_view);
  EXPECT_EQ(GetWindow(child, GW_HWNDNEXT), nullptr) << "the main window has another child";

  RECT client{};
  GetClientRect(m_frame, &client);
  MapWindowPoints(m_frame, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT view{};
  GetWindowRect(m_view, &view);
  EXPECT_TRUE(EqualRect(&client, &view))
      << "view (" << view.left << ", " << view.top << ")-(" << view.right << ", " << view.bottom
      << "), client area (" << client.left << ", " << client.top << ")-(" << client.right << ", "
      << client.bottom << ")";
  EXPECT_TRUE(GetWindowLongPtrW(m_view, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) << "sunken edge";
  ExpectPanelSized(m_view, "at start");
}

// A shortcut's "Run" setting is followed, except that the fixed window has no maximized state.
TEST_F(ProgramWindowTest, StartsAsTheStarterAsksButNeverMaximized) {
  ASSERT_NO_FATAL_FAILURE(Launch(L"", SW_SHOWMAXIMIZED));
  EXPECT_FALSE(IsZoomed(m_frame)) << "started maximized";
  ExpectPanelSized(m_view, "started maximized");

  ASSERT_NO_FATAL_FAILURE(Launch(L"", SW_SHOWMINNOACTIVE));
  EXPECT_TRUE(IsIconic(m_frame)) << "started minimized, as asked";
  ShowWindow(m_frame, SW_RESTORE);
  ExpectPanelSized(m_view, "restored");
}

// ---- The About box ----------------------------------------------------------------------------

// One control of a dialog as another process sees it.
struct Control {
  HWND hwnd;  // differs from one opening to the next: not compared
  std::wstring className;
  int id;
  std::wstring text;
  RECT rect;  // in the dialog's client coordinates

  bool operator==(const Control& other) const {
    return className == other.className && id == other.id && text == other.text &&
           EqualRect(&rect, &other.rect);
  }
};

void PrintTo(const Control& c, std::ostream* os) {
  *os << ::testing::PrintToString(c.className) << " id " << c.id << " "
      << ::testing::PrintToString(c.text) << " at (" << c.rect.left << ", " << c.rect.top << ")";
}

struct BoxContent {
  std::wstring caption;
  std::vector<Control> controls;
  bool operator==(const BoxContent&) const = default;
};

void PrintTo(const BoxContent& box, std::ostream* os) {
  *os << ::testing::PrintToString(box.caption) << " with "
      << ::testing::PrintToString(box.controls);
}

BOOL CALLBACK CollectControl(HWND hwnd, LPARAM lParam) {
  auto* controls = reinterpret_cast<std::vector<Control>*>(lParam);
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  controls->push_back({hwnd, ClassOf(hwnd), GetDlgCtrlID(hwnd), TextOf(hwnd), rect});
  return TRUE;
}

BoxContent ReadBox(HWND box) {
  BoxContent content{TextOf(box), {}};
  EnumChildWindows(box, CollectControl, reinterpret_cast<LPARAM>(&content.controls));
  return content;
}

using ProgramAboutTest = ProgramTest;

// Ways to open the About box from a freshly started program.
struct Opener {
  const char* name;
  void (*open)(HWND view);
};

const Opener kOpeners[] = {
    {"click on About",
     [](HWND view) { PostClick(view, panel::ButtonCentre(panel::kAboutButton)); }},
    {"Right, Right, Enter",
     [](HWND view) {
       PostKeyUp(view, VK_RIGHT);
       PostKeyUp(view, VK_RIGHT);
       PostKeyDown(view, VK_RETURN);
     }},
    {"Left eleven times, Enter",
     [](HWND view) {
       for (int i = 0; i < 11; ++i) PostKeyUp(view, VK_LEFT);
       PostKeyDown(view, VK_RETURN);
     }},
};

TEST_F(ProgramAboutTest, OpensModallyFromItsButtonByMouseAndByKeys) {
  std::optional<BoxContent> first;
  for (const Opener& opener : kOpeners) {
    SCOPED_TRACE(opener.name);
    ASSERT_NO_FATAL_FAILURE(Launch());
    opener.open(m_view);
    const HWND box = m_program.WaitForOwnedWindow(m_frame);
    ASSERT_NE(box, nullptr) << "no About box after " << opener.name;
    EXPECT_FALSE(IsWindowEnabled(m_frame)) << "the main window takes input under the About box";
    // Centred over the main window; that is centred on the screen, so nothing pushes it aside.
    RECT boxRect{}, frameRect{};
    GetWindowRect(box, &boxRect);
    GetWindowRect(m_frame, &frameRect);
    EXPECT_NEAR(boxRect.left + boxRect.right, frameRect.left + frameRect.right, 2) << "across";
    EXPECT_NEAR(boxRect.top + boxRect.bottom, frameRect.top + frameRect.bottom, 2) << "down";

    const BoxContent content = ReadBox(box);
    EXPECT_EQ(content.caption, L"نبذة عن Ralimet");
    const HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr) << "no button with id 1";
    EXPECT_EQ(TextOf(ok), L"تم");
    bool namesTheProgram = false;
    bool showsAnIcon = false;
    for (const Control& control : content.controls) {
      if (control.id != IDOK && control.text.find(L"Ralimet") != std::wstring::npos) {
        namesTheProgram = true;
      }
      if (control.className == L"Static" &&
          (GetWindowLongPtrW(control.hwnd, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        DWORD_PTR icon = 0;
        SendMessageTimeoutW(control.hwnd, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon);
        showsAnIcon = showsAnIcon || icon != 0;
      }
    }
    EXPECT_TRUE(namesTheProgram) << ::testing::PrintToString(content);
    EXPECT_TRUE(showsAnIcon) << "the icon control shows no icon";
    if (first) {
      EXPECT_EQ(content, *first) << "opened by " << opener.name << " and by " << kOpeners[0].name;
    } else {
      first = content;
    }
  }
}

// Every way to close the box, one after another in one run: each time the box shows the same
// content, and the main window comes back usable.
TEST_F(ProgramAboutTest, ClosesEveryWayAndOpensAgainWithTheSameContent) {
  const struct {
    const char* name;
    void (*close)(HWND box);
  } closers[] = {
      {"Enter", [](HWND box) { PostKeyDown(box, VK_RETURN); }},
      {"Escape", [](HWND box) { PostKeyDown(box, VK_ESCAPE); }},
      {"its button", [](HWND box) { PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0); }},
      {"close box", [](HWND box) { PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  ASSERT_NO_FATAL_FAILURE(Launch());
  std::optional<BoxContent> first;
  for (const auto& closer : closers) {
    SCOPED_TRACE(closer.name);
    const HWND box = m_program.OpenFromPanel(panel::kAboutButton);
    ASSERT_NE(box, nullptr) << "the About box did not open again before closing it by "
                            << closer.name;
    const BoxContent content = ReadBox(box);
    if (first) {
      EXPECT_EQ(content, *first) << "the About box changed between openings";
    } else {
      first = content;
    }

    closer.close(box);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, kActionTimeout))
        << "the About box stayed open after " << closer.name;
    EXPECT_TRUE(m_program.IsRunning()) << "the program ended with the About box";
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(m_frame) != 0; }, kActionTimeout))
        << "the main window stayed disabled";
    EXPECT_TRUE(IsWindowVisible(m_frame));
  }
  PostMessageW(m_frame, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(m_program.WaitForExit(), kClosedCode);
}

// ---- The manifest -----------------------------------------------------------------------------

// As the system's loader reads it from the program: with the user's own rights, so that no UAC
// virtualization sends a saved file to a hidden per-user copy.
TEST(ProgramManifestTest, RunsAsTheInvoker) {
  const std::wstring program = WindowsPath(RALIMET_PROGRAM);
  ACTCTXW description{};
  description.cbSize = sizeof description;
  description.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  description.lpSource = program.c_str();
  description.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
  const HANDLE context = CreateActCtxW(&description);
  ASSERT_NE(context, INVALID_HANDLE_VALUE) << "error " << GetLastError();
  ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel{};
  EXPECT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &runLevel,
                           sizeof runLevel, nullptr));
  EXPECT_EQ(runLevel.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
  EXPECT_EQ(runLevel.UiAccess, 0u);
  ReleaseActCtx(context);
}

}  // namespace
}  // namespace e2e
