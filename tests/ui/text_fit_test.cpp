// What a person sees of every window opened from the panel, at the screen's scale (ctest runs
// these tests in a prefix at each): each label, button, check box and group caption shows its
// whole text in the font the control draws with, and each window has the size its template was
// laid out for, at the dialog base units of "MS Sans Serif" 8 at that scale (6 x 13 pixels at
// 96 DPI). And each window follows a move to another scale.
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

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

constexpr double kSizeTolerance = 0.03;
constexpr int kTemplatePoints = 8;
constexpr int kPointsPerInch = 72;

// The dialog base units of the templates' font at the screen's DPI, as the system documents them:
// half the average width of the 52 letters, rounded, across; the font's height down.
SIZE DesignedBaseUnits() {
  const ClientDC screen(nullptr);
  const HDC dc = screen.get();
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  const UniqueFont font(CreateFontW(-MulDiv(kTemplatePoints, dpi, kPointsPerInch), 0, 0, 0,
                                    FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                                    L"MS Sans Serif"));
  const HGDIOBJ old = SelectObject(dc, font.get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SIZE letters{};
  GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
  SelectObject(dc, old);
  return {(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

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
void MeasureSize(HWND dialog, int templateId, const char* window, SIZE baseUnits) {
  RECT unit{0, 0, 4, 8};
  MapDialogRect(dialog, &unit);
  EXPECT_EQ(unit.right, baseUnits.cx) << window << ": base unit across";
  EXPECT_EQ(unit.bottom, baseUnits.cy) << window << ": base unit down";
  const SIZE units = TemplateSize(templateId);
  RECT client;
  GetClientRect(dialog, &client);
  const double designed[] = {units.cx * baseUnits.cx / 4.0, units.cy * baseUnits.cy / 8.0};
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
  const UINT dpi = PrefixDpi();
  const ClientDC screen(nullptr);
  ASSERT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSY), static_cast<int>(dpi)) << "the prefix's DPI";
  const SIZE baseUnits = DesignedBaseUnits();
  if (dpi == USER_DEFAULT_SCREEN_DPI) {
    EXPECT_EQ(baseUnits.cx, 6);
    EXPECT_EQ(baseUnits.cy, 13);
  }
  std::printf("%u DPI: base units %ld x %ld\n", dpi, baseUnits.cx, baseUnits.cy);
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
        MeasureSize(dialog, w.templates[page], name, baseUnits);
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

// Each control of a window: where it stands in the window's client area and the height of the
// font it draws with (0 for a page, whose own controls are measured apart, or a control without
// one).
struct Placed {
  RECT rect;
  LONG fontHeight;
};
std::vector<Placed> ControlsOf(HWND window) {
  std::vector<Placed> controls;
  for (HWND control = GetWindow(window, GW_CHILD); control;
       control = GetWindow(control, GW_HWNDNEXT)) {
    Placed placed{};
    GetWindowRect(control, &placed.rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&placed.rect), 2);
    wchar_t cls[16] = {};
    GetClassNameW(control, cls, 16);
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (wcscmp(cls, L"#32770") != 0 && handle && GetObjectW(handle, sizeof font, &font)) {
      placed.fontHeight = font.lfHeight;
    }
    controls.push_back(placed);
  }
  return controls;
}

UINT g_dpi = USER_DEFAULT_SCREEN_DPI;
UINT SeamDpi(HWND) { return g_dpi; }

// The controls as they stood at 96 DPI, at the scale s, in the template's font made for dpi (an
// em of 8/72 inch). A combo box's height is its font's, so only its top, left and right count.
void ExpectControlsAt(const std::vector<Placed>& at96, HWND window, UINT dpi, const char* name) {
  const double s = dpi / 96.0;
  const std::vector<Placed> now = ControlsOf(window);
  ASSERT_EQ(now.size(), at96.size()) << name;
  for (size_t i = 0; i < now.size(); ++i) {
    const RECT& was = at96[i].rect;
    EXPECT_NEAR(now[i].rect.left, was.left * s, 1) << name << " control " << i << ", " << dpi;
    EXPECT_NEAR(now[i].rect.top, was.top * s, 1) << name << " control " << i << ", " << dpi;
    EXPECT_NEAR(now[i].rect.right, was.right * s, 1) << name << " control " << i << ", " << dpi;
    if (at96[i].fontHeight) {
      EXPECT_EQ(now[i].fontHeight, -std::lround(kTemplatePoints * dpi / double(kPointsPerInch)))
          << name << " control " << i << ", " << dpi << " DPI";
    }
  }
}

using ScaleChangeTest = RunningAppTest;

// Each window moved to a screen at 192 DPI and back, as the system tells it: it takes the
// rectangle suggested, and its controls (a page's too) keep their places in proportion and draw
// with the font made for the scale.
TEST_F(ScaleChangeTest, EveryWindowFollowsToDoubleScaleAndBack) {
  g_dpi = USER_DEFAULT_SCREEN_DPI;
  const StandIn<platform::SetWindowDpiForTesting> screen{SeamDpi};
  int windowsMoved = 0;
  for (const Window& w : kWindows) {
    const char* name = kWindowNames[w.button];
    ActInsideModalLoop([&](HWND active) {
      ++windowsMoved;
      const HWND page = w.templates.size() > 1 ? PropSheet_GetCurrentPageHwnd(active) : nullptr;
      RECT start;
      GetWindowRect(active, &start);
      const std::vector<Placed> at96 = ControlsOf(active);
      const std::vector<Placed> pageAt96 = page ? ControlsOf(page) : std::vector<Placed>{};
      for (const UINT dpi : {192u, 96u}) {
        g_dpi = dpi;
        const double s = dpi / 96.0;
        const RECT suggested{start.left, start.top,
                             start.left + std::lround((start.right - start.left) * s),
                             start.top + std::lround((start.bottom - start.top) * s)};
        SendMessageW(active, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT now;
        GetWindowRect(active, &now);
        EXPECT_TRUE(EqualRect(&now, &suggested)) << name << " at " << dpi << " DPI";
        ExpectControlsAt(at96, active, dpi, name);
        if (page) ExpectControlsAt(pageAt96, page, dpi, name);
      }
      PostMessageW(active, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    m_view->RunButton(w.button);
  }
  EXPECT_EQ(windowsMoved, static_cast<int>(std::size(kWindows)));
}

}  // namespace
