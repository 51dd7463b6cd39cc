// What a person sees of every window opened from the panel: each label, button, check box and
// group caption shows its whole text in the font the control draws with, and each window has the
// size its template was laid out for, at the dialog base units of "MS Sans Serif" 8 at the DPI
// ctest runs it at (6 x 13 pixels at 96 DPI, as many more as the scale). And each window follows
// a move to another scale.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <array>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/handles.h"
#include "platform/platform.h"
#include "res/resource.h"
#include "running_app.h"

namespace {

constexpr SIZE kBaseUnitsAt96{6, 13};
constexpr double kSizeTolerance = 0.03;

// The templates of each panel window, in the order its pages show (one for a dialog), and how
// many texts its labels, buttons, check boxes and group captions show: a converter's units and
// its back button; the clothing sheet's two pages of two captions and six labels, and its one
// button.
struct Window {
  int button;
  std::vector<int> templates;
  int texts;
};
const Window kWindows[] = {
    {0, {IDD_AREA}, 9},       {1, {IDD_DATE}, 6},        {2, {IDD_MEN_SIZES, IDD_WOMEN_SIZES}, 17},
    {3, {IDD_SPEED}, 7},      {4, {IDD_WORLDTIME}, 8},   {5, {IDD_LENGTH}, 9},
    {6, {IDD_TIME}, 9},       {7, {IDD_TEMPERATURE}, 4}, {8, {IDD_VOLUME}, 9},
    {9, {IDD_WEIGHT}, 6},     {10, {IDD_ABOUTBOX}, 6},
};
constexpr int kAllTexts = 90;

// A template's size in dialog units, from its header (DIALOGEX or the older DIALOG).
SIZE TemplateSize(int id) {
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
  const auto* words = found ? static_cast<const WORD*>(LockResource(LoadResource(module, found)))
                            : nullptr;
  if (!words) return {0, 0};
  if (words[0] == 1 && words[1] == 0xFFFF) {
    const auto* ex = reinterpret_cast<const short*>(words);
    return {ex[11], ex[12]};  // after version, signature, help id, styles, count, x and y
  }
  const auto* plain = reinterpret_cast<const DLGTEMPLATE*>(words);
  return {plain->cx, plain->cy};
}

struct Room {
  RECT rect;
  UINT format;
};

// Where a control draws its text and how, as the standard controls lay it out: a push button
// keeps 2 pixels inside its frame (3 for the default one), a check box keeps its box and half a
// digit's width apart, a group box indents its caption 7 pixels; a static fills its client area,
// wrapping words unless its style says otherwise. Answers false for a control without a label.
bool LabelRoom(HWND control, HDC dc, Room& room) {
  wchar_t cls[32] = {};
  GetClassNameW(control, cls, 32);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
  GetClientRect(control, &room.rect);
  room.format = (style & SS_NOPREFIX) && !_wcsicmp(cls, WC_STATICW) ? DT_NOPREFIX : 0;
  if (!_wcsicmp(cls, WC_STATICW)) {
    switch (style & SS_TYPEMASK) {
      case SS_LEFT:
      case SS_CENTER:
      case SS_RIGHT: room.format |= DT_WORDBREAK | DT_EXPANDTABS; return true;
      case SS_SIMPLE:
      case SS_LEFTNOWORDWRAP: room.format |= DT_SINGLELINE | DT_EXPANDTABS; return true;
      default: return false;  // pictures, frames, owner-drawn
    }
  }
  if (_wcsicmp(cls, WC_BUTTONW) != 0) return false;
  room.format |= (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  switch (style & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON: InflateRect(&room.rect, -1, -1); [[fallthrough]];
    case BS_PUSHBUTTON: InflateRect(&room.rect, -2, -2); return true;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE: {
      if (style & BS_PUSHLIKE) {
        InflateRect(&room.rect, -2, -2);
        return true;
      }
      int digit = 0;
      GetCharWidthW(dc, L'0', L'0', &digit);
      room.rect.right -= 13 + digit / 2;
      return true;
    }
    case BS_GROUPBOX: InflateRect(&room.rect, -7, 0); return true;
    default: return false;
  }
}

struct Fit {
  int texts = 0;
  int whole = 0;
  LONG tightest = LONG_MAX;  // the least room to spare across, in pixels
  std::string tightestText;
};

// Measures the visible labelled controls among the children of parent (not of its pages).
void MeasureLabels(HWND parent, const char* window, Fit& fit) {
  for (HWND control = GetWindow(parent, GW_CHILD); control;
       control = GetWindow(control, GW_HWNDNEXT)) {
    const std::wstring text = TextOf(control);
    // The window itself may not be shown yet: a control counts if it is shown with it.
    const bool shown = GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE;
    if (text.empty() || !shown) continue;
    const ClientDC client(control);
    const HDC dc = client.get();
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    Room room{};
    if (LabelRoom(control, dc, room)) {
      RECT needed{0, 0, room.rect.right - room.rect.left, 0};
      DrawTextW(dc, text.c_str(), -1, &needed, room.format | DT_CALCRECT | DT_RTLREADING);
      const LONG roomWidth = room.rect.right - room.rect.left;
      const LONG roomHeight = room.rect.bottom - room.rect.top;
      const bool whole = needed.right <= roomWidth && needed.bottom <= roomHeight;
      ++fit.texts;
      fit.whole += whole;
      if (roomWidth - needed.right < fit.tightest) {
        fit.tightest = roomWidth - needed.right;
        fit.tightestText = std::string(window) + " \"" + Utf8(text) + "\"";
      }
      EXPECT_TRUE(whole) << window << ": \"" << Utf8(text) << "\" needs " << needed.right << " x "
                         << needed.bottom << " pixels, has " << roomWidth << " x "
                         << roomHeight;
    }
    SelectObject(dc, old);
  }
}

// The client area of a dialog or page against its template at the designed base units.
void MeasureSize(HWND dialog, int templateId, const char* window) {
  RECT unit{0, 0, 4, 8};
  MapDialogRect(dialog, &unit);
  const double s = std::lround(8 * PrefixDpi() / 72.0) / 11.0;  // as the em, in whole pixels, grows
  EXPECT_NEAR(unit.right, kBaseUnitsAt96.cx * s, s / 2) << window << ": base unit across";
  EXPECT_NEAR(unit.bottom, kBaseUnitsAt96.cy * s, s / 2) << window << ": base unit down";
  const SIZE units = TemplateSize(templateId);
  RECT client;
  GetClientRect(dialog, &client);
  const double designed[] = {units.cx * unit.right / 4.0, units.cy * unit.bottom / 8.0};
  const LONG actual[] = {client.right, client.bottom};
  for (int axis = 0; axis < 2; ++axis) {
    EXPECT_NEAR(actual[axis], designed[axis], designed[axis] * kSizeTolerance)
        << window << ": template " << templateId << (axis ? " height" : " width");
  }
  std::printf("%s, template %d: %ld x %ld pixels, designed %.0f x %.0f\n", window, templateId,
              client.right, client.bottom, designed[0], designed[1]);
}

using TextFitTest = RunningAppTest;

TEST_F(TextFitTest, EveryLabelShowsWholeAndEveryWindowHasItsDesignedSize) {
  Fit fit;
  int windowsMeasured = 0;
  for (const Window& w : kWindows) {
    const char* name = kWindowNames[w.button];
    const int textsBefore = fit.texts;
    ActInsideModalLoop([&](HWND active) {
      ++windowsMeasured;
      const bool sheet = w.templates.size() > 1;
      for (size_t page = 0; page < w.templates.size(); ++page) {
        HWND dialog = active;
        if (sheet) {
          PropSheet_SetCurSel(active, nullptr, page);
          dialog = PropSheet_GetCurrentPageHwnd(active);
        }
        MeasureSize(dialog, w.templates[page], name);
        MeasureLabels(dialog, name, fit);
      }
      if (sheet) MeasureLabels(active, name, fit);  // the sheet's own button
      PostMessageW(active, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    m_view->RunButton(w.button);
    EXPECT_EQ(fit.texts - textsBefore, w.texts) << name << ": texts measured";
  }
  EXPECT_EQ(windowsMeasured, static_cast<int>(std::size(kWindows)));
  std::printf("%d/%d texts whole; the tightest, %s, has %ld pixels to spare\n", fit.whole,
              fit.texts, fit.tightestText.c_str(), fit.tightest);
  EXPECT_EQ(fit.texts, kAllTexts);
}

// Each control of a window: its left, top and right in the window's client area, and its font's
// height (0 for a page, whose controls are measured apart, or a control without a font).
std::vector<std::array<LONG, 4>> ControlsOf(HWND window) {
  std::vector<std::array<LONG, 4>> controls;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0));
    if (!CWnd::FromHandlePermanent(c) && handle) GetObjectW(handle, sizeof font, &font);
    controls.push_back({r.left, r.top, r.right, font.lfHeight});
  }
  return controls;
}

UINT g_dpi = USER_DEFAULT_SCREEN_DPI;
using ScaleChangeTest = RunningAppTest;

// Each window moved to a screen at 192 DPI and back, as the system tells it: it takes the
// rectangle suggested, and its controls (a page's too) keep their places in proportion and draw
// with the template's 8-point font made for the scale (an em of 8/72 inch).
TEST_F(ScaleChangeTest, EveryWindowFollowsToDoubleScaleAndBack) {
  const StandIn<platform::SetWindowDpiForTesting> screen{[](HWND) { return g_dpi; }};
  size_t moved = 0;
  for (const Window& w : kWindows) {
    ActInsideModalLoop([&](HWND active) {
      ++moved;
      const HWND page = w.templates.size() > 1 ? PropSheet_GetCurrentPageHwnd(active) : nullptr;
      RECT start, now;
      GetWindowRect(active, &start);
      const auto activeAt96 = ControlsOf(active), pageAt96 = ControlsOf(page);
      for (const UINT dpi : {192u, 96u}) {
        g_dpi = dpi;
        const double s = dpi / 96.0;
        const RECT suggested{start.left, start.top,
                             start.left + std::lround(s * start.right - s * start.left),
                             start.top + std::lround(s * start.bottom - s * start.top)};
        SendMessageW(active, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(active, &now);
        EXPECT_TRUE(EqualRect(&now, &suggested)) << kWindowNames[w.button] << ", " << dpi;
        for (const auto& [window, at96] :
             {std::pair(active, activeAt96), std::pair(page, pageAt96)}) {
          const auto controls = ControlsOf(window);
          ASSERT_EQ(controls.size(), at96.size());
          for (size_t i = 0; i < controls.size(); ++i) {
            for (int edge = 0; edge < 3; ++edge) {
              EXPECT_NEAR(controls[i][edge], at96[i][edge] * s, 1)
                  << kWindowNames[w.button] << " control " << i << ", " << dpi << " DPI";
            }
            EXPECT_EQ(controls[i][3], at96[i][3] ? -std::lround(8 * s * 96 / 72) : 0) << i;
          }
        }
      }
      PostMessageW(active, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    m_view->RunButton(w.button);
  }
  EXPECT_EQ(moved, std::size(kWindows));
}

}  // namespace
