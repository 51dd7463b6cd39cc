// The launcher at the screen scales it is used at: its size, where its faces are hit and where a
// screen reader finds them, all the design's 96-DPI figures times dpi / 96.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/handles.h"
#include "launcher_fixture.h"
#include "msaa_reader.h"

namespace {

// The design's rectangle at scale s, each edge rounded to the nearest pixel.
RECT Scaled(const RECT& r, double s) {
  return {std::lround(r.left * s), std::lround(r.top * s), std::lround(r.right * s),
          std::lround(r.bottom * s)};
}

class DisplayScaleTest : public LauncherTest {
 protected:
  // The view's client area and each face, as the user and a screen reader meet them.
  void ExpectPanelAt(UINT dpi) {
    const double s = dpi / 96.0;
    RECT client;
    GetClientRect(m_view->m_hWnd, &client);
    EXPECT_EQ(client.right, std::lround(290 * s)) << dpi << " DPI";
    EXPECT_EQ(client.bottom, std::lround(389 * s)) << dpi << " DPI";

    const msaa::Object reader = msaa::ClientObject(m_view->m_hWnd);
    ASSERT_TRUE(reader);
    POINT origin{0, 0};
    ClientToScreen(m_view->m_hWnd, &origin);
    for (int n = 0; n < panel::kButtonCount; ++n) {
      const RECT face = Scaled(panel::ButtonRect(n), s);
      const POINT middle{(face.left + face.right) / 2, (face.top + face.bottom) / 2};
      EXPECT_EQ(m_view->ButtonAt(middle), n) << dpi << " DPI, button " << n;
      EXPECT_NE(m_view->ButtonAt({face.right, middle.y}), n) << dpi << " DPI, button " << n;
      long x = 0, y = 0, cx = 0, cy = 0;
      reader->accLocation(&x, &y, &cx, &cy, msaa::Child(n + 1));
      EXPECT_EQ(x, origin.x + face.left) << dpi << " DPI, button " << n;
      EXPECT_EQ(y, origin.y + face.top) << dpi << " DPI, button " << n;
      EXPECT_EQ(cx, face.right - face.left) << dpi << " DPI, button " << n;
      EXPECT_EQ(cy, face.bottom - face.top) << dpi << " DPI, button " << n;
    }
  }
};

TEST_F(DisplayScaleTest, PanelFacesAndReadersAtEachScale) {
  // First at the scale of the prefix the test runs in (ctest runs it in one at each), no seam.
  const ClientDC screen(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSX), static_cast<int>(PrefixDpi()));
  EXPECT_EQ(platform::WindowDpi(m_frame->m_hWnd), PrefixDpi());
  ExpectPanelAt(PrefixDpi());
  for (const UINT dpi : {96u, 120u, 144u, 192u}) {
    const ScreenAtDpi screen{dpi};
    Restart();
    ExpectPanelAt(dpi);
    // A click at the middle of a face, as the mouse gives it, runs that face's window.
    const RECT about = Scaled(panel::ButtonRect(panel::kAboutButton), dpi / 96.0);
    const POINT middle{(about.left + about.right) / 2, (about.top + about.bottom) / 2};
    AboutWatcher watcher;
    MoveTo(middle);
    Press(middle);
    Release(middle);
    EXPECT_EQ(watcher.opened(), 1) << dpi << " DPI";
  }
  Restart();
}

TEST_F(DisplayScaleTest, MovingToAnotherScaleResizesThePanel) {
  const HWND frame = m_frame->m_hWnd;
  RECT before;
  GetWindowRect(frame, &before);
  for (const UINT dpi : {192u, 96u}) {
    // The rectangle the system suggests: the window's outer size grown with the scale.
    const double grow = dpi / 96.0;
    const RECT suggested{before.left, before.top,
                         before.left + std::lround((before.right - before.left) * grow),
                         before.top + std::lround((before.bottom - before.top) * grow)};
    SendMessageW(frame, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    RECT now;
    GetWindowRect(frame, &now);
    EXPECT_EQ(now.left, suggested.left) << dpi << " DPI";
    EXPECT_EQ(now.top, suggested.top) << dpi << " DPI";
    ExpectPanelAt(dpi);
    // The caption's small icon, 16 pixels at 96 DPI, drawn at the scale.
    const auto icon = reinterpret_cast<HICON>(SendMessageW(frame, WM_GETICON, ICON_SMALL, 0));
    ICONINFO info{};
    ASSERT_TRUE(icon && GetIconInfo(icon, &info)) << dpi << " DPI";
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, std::lround(16 * grow)) << dpi << " DPI";
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
}

}  // namespace
