// Which picture set the running program draws, read back from the screen. Wine's null graphics
// driver cannot show one process another's pixels, so these tests run on a virtual X display
// with Wine's X11 driver (tests/e2e/screen-test), where the screen holds what the program drew.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "panel_geometry.h"
#include "program_fixture.h"

namespace e2e {
namespace {

// An 8-bit bitmap file of the program's resources: its pixel indices and its colour table.
struct IndexedBitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;  // top row first
  COLORREF table[256] = {};

  std::uint8_t At(int x, int y) const { return indices[static_cast<std::size_t>(y) * width + x]; }
};

std::vector<char> ReadWholeFile(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Empty (width 0) when the file is missing or not an uncompressed 8-bit bitmap.
IndexedBitmap LoadBitmapFile(int id) {
  IndexedBitmap bitmap;
  const std::vector<char> bytes =
      ReadWholeFile(WindowsPath(RALIMET_BITMAPS) + L"\\" + std::to_wstring(id) + L".bmp");
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  if (bytes.size() < sizeof file + sizeof info) return bitmap;
  std::memcpy(&file, bytes.data(), sizeof file);
  std::memcpy(&info, bytes.data() + sizeof file, sizeof info);
  if (file.bfType != 0x4D42 || info.biBitCount != 8 || info.biCompression != BI_RGB) return bitmap;
  const int width = info.biWidth;
  const int height = std::abs(info.biHeight);
  const std::size_t stride = (static_cast<std::size_t>(width) + 3) & ~std::size_t{3};
  const std::size_t tableAt = sizeof file + info.biSize;
  if (bytes.size() < tableAt + 256 * sizeof(RGBQUAD) ||
      bytes.size() < file.bfOffBits + stride * height) {
    return bitmap;
  }
  for (int i = 0; i < 256; ++i) {
    RGBQUAD entry;
    std::memcpy(&entry, bytes.data() + tableAt + i * sizeof entry, sizeof entry);
    bitmap.table[i] = RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
  }
  bitmap.indices.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const int row = info.biHeight > 0 ? height - 1 - y : y;  // bottom-up unless negative
    std::memcpy(&bitmap.indices[static_cast<std::size_t>(y) * width],
                bytes.data() + file.bfOffBits + row * stride, width);
  }
  bitmap.width = width;
  bitmap.height = height;
  return bitmap;
}

// The screen's pixels under a window's client area, as the display shows them.
ScreenShot ShootClientArea(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return ShootScreen(client);
}

// The display is 24-bit: a drawn table colour comes back as it is. Two channel steps of slack
// keep the check about colour sets, not about rounding.
bool Near(COLORREF a, COLORREF b, int slack = 2) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= slack &&
         std::abs(GetGValue(a) - GetGValue(b)) <= slack &&
         std::abs(GetBValue(a) - GetBValue(b)) <= slack;
}

bool InTable(COLORREF colour, const COLORREF (&table)[256]) {
  return std::any_of(std::begin(table), std::end(table),
                     [&](COLORREF c) { return Near(c, colour); });
}

bool OnAButton(int x, int y) {
  for (int n = 0; n < panel::kButtonCount; ++n) {
    const RECT r = panel::ButtonRect(n);
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  }
  return false;
}

// Whether the two looks differ anywhere inside rect.
bool Differs(const ScreenShot& a, const ScreenShot& b, const RECT& rect) {
  for (int y = rect.top; y < std::min<int>(rect.bottom, a.height); ++y) {
    for (int x = rect.left; x < std::min<int>(rect.right, a.width); ++x) {
      if (a.At(x, y) != b.At(x, y)) return true;
    }
  }
  return false;
}

// How the screen agrees with one picture set.
struct Agreement {
  int panelPixels = 0;    // view pixels that only the panel picture covers
  int panelExact = 0;     // ... showing the set's colour for the panel's index there
  int panelTelling = 0;   // ... where the two sets' colours for that index are far apart
  int buttonPixels = 0;   // view pixels on the buttons' faces
  int buttonInTable = 0;  // ... showing a colour of the set's table

  bool Holds() const {
    return panelPixels > 0 && buttonPixels > 0 && panelExact >= panelPixels * 99 / 100 &&
           buttonInTable >= buttonPixels * 99 / 100;
  }
};

std::ostream& operator<<(std::ostream& os, const Agreement& a) {
  return os << a.panelExact << " of " << a.panelPixels << " panel pixels exact, " << a.buttonInTable
            << " of " << a.buttonPixels << " face pixels in the table";
}

Agreement Compare(const ScreenShot& shot, const IndexedBitmap& set, const IndexedBitmap& other) {
  Agreement a;
  const int width = std::min(shot.width, set.width);
  const int height = std::min(shot.height, set.height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF seen = shot.At(x, y);
      if (OnAButton(x, y)) {
        ++a.buttonPixels;
        if (InTable(seen, set.table)) ++a.buttonInTable;
        continue;
      }
      const std::uint8_t index = set.At(x, y);
      ++a.panelPixels;
      if (Near(seen, set.table[index])) ++a.panelExact;
      if (!Near(set.table[index], other.table[index], 48)) ++a.panelTelling;
    }
  }
  return a;
}

struct PictureCase {
  const char* testName;
  const char* name;
  const wchar_t* arguments;
  int panel;  // the panel bitmap the program must draw: 144 or 1144
};

void PrintTo(const PictureCase& c, std::ostream* os) {
  *os << c.name;
}

class PictureSetTest : public ProgramTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(PictureSetTest, PanelAndFacesComeFromTheChosenSet) {
  const PictureCase& c = GetParam();
  const IndexedBitmap blue = LoadBitmapFile(144);
  const IndexedBitmap sand = LoadBitmapFile(1144);
  ASSERT_GT(blue.width, 0) << "cannot read bitmap 144 under " << RALIMET_BITMAPS;
  ASSERT_GT(sand.width, 0) << "cannot read bitmap 1144 under " << RALIMET_BITMAPS;
  ASSERT_EQ(blue.indices, sand.indices) << "the two sets must share their pixel indices";
  const IndexedBitmap& expected = c.panel == 144 ? blue : sand;
  const IndexedBitmap& other = c.panel == 144 ? sand : blue;

  ASSERT_NO_FATAL_FAILURE(Launch(c.arguments));

  // The first paint reaches the display some time after the window shows: look until the
  // picture is the expected one, and report the last look when it never is.
  ScreenShot shot;
  Agreement seen;
  WaitFor(
      [&] {
        shot = ShootClientArea(m_view);
        seen = Compare(shot, expected, other);
        return seen.Holds();
      },
      kActionTimeout);
  ASSERT_GT(shot.width, 0) << "the screen could not be read";
  EXPECT_TRUE(seen.Holds()) << c.name << ": against bitmap " << c.panel << ": " << seen
                            << "; against the other set: " << Compare(shot, other, expected);
  // Unless most of the panel tells the sets apart, agreeing with one proves nothing.
  EXPECT_GT(seen.panelTelling, seen.panelPixels / 2) << c.name;
  EXPECT_FALSE(Compare(shot, other, expected).Holds())
      << c.name << ": the screen agrees with both sets";

  // The faces' other two states: button 0 under the pointer, button 5 held down.
  const ScreenShot normal = shot;
  const POINT hover = panel::ButtonCentre(0);
  const POINT press = panel::ButtonCentre(5);
  PostMouseMove(m_view, hover);
  PostMessageW(m_view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
  bool redrawn = false;
  WaitFor(
      [&] {
        shot = ShootClientArea(m_view);
        redrawn = Differs(shot, normal, panel::ButtonRect(0)) &&
                  Differs(shot, normal, panel::ButtonRect(5));
        seen = Compare(shot, expected, other);
        return redrawn && seen.Holds();
      },
      kActionTimeout);
  ASSERT_TRUE(redrawn) << c.name << ": the highlighted and pressed faces never showed";
  EXPECT_TRUE(seen.Holds()) << c.name << ", a face highlighted and one pressed: against bitmap "
                            << c.panel << ": " << seen;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, PictureSetTest,
    ::testing::Values(PictureCase{"NoArguments", "no arguments", L"", 144},
                      PictureCase{"PlainArgument", "a plain argument", L"sand", 1144},
                      PictureCase{"SwitchesOnly", "switches only", L"/x -y", 144},
                      PictureCase{"SwitchThenPlain", "a switch, then a plain argument", L"-y plain",
                                  1144},
                      PictureCase{"QuotedArabicArgument", "a quoted Arabic argument with a space",
                                  L"\"ملف جديد\"", 1144}),
    [](const ::testing::TestParamInfo<PictureCase>& info) {
      return std::string(info.param.testName);
    });

}  // namespace
}  // namespace e2e
