// Panel buttons on the program's real bitmaps: measuring, hit-testing, states, sound, drawing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/handles.h"
#include "platform/platform.h"
#include "panel/panel_button.h"
#include "pictures/picture_set.h"
#include "test_support.h"

namespace {

int g_soundImage;  // stands in for the click sound's image
const void* const kSound = &g_soundImage;

CPanelButton AreaButton(int base = 0) {
  return CPanelButton({10, 90}, 159, 176, 177, kSound, base);
}

TEST(PanelButtonTest, MeasuresItselfOnItsHighlightedFace) {
  struct Case {
    const char* name;
    UINT normal, highlighted, pressed;
    int base;
    SIZE size;
  };
  const Case cases[] = {
      {"big face", 159, 176, 177, 0, {135, 50}},
      {"big face, second set", 159, 176, 177, 1000, {135, 50}},
      {"small face", 170, 194, 197, 0, {122, 25}},
      {"small face, second set", 171, 195, 196, 1000, {122, 25}},
      // Without its pictures a button has no size, is never hit and draws nothing.
      {"missing pictures", 400, 401, 402, 0, {0, 0}},
  };
  for (const Case& c : cases) {
    const CPanelButton button({0, 0}, c.normal, c.highlighted, c.pressed, kSound, c.base);
    EXPECT_EQ(button.GetSize().cx, c.size.cx) << c.name;
    EXPECT_EQ(button.GetSize().cy, c.size.cy) << c.name;
    EXPECT_EQ(button.HitTest({0, 0}), c.size.cx > 0) << c.name;
  }
}

TEST(PanelButtonTest, HitTestIncludesTheTopLeftAndExcludesTheFarEdges) {
  const CPanelButton button = AreaButton();
  struct Case {
    POINT point;
    bool inside;
  };
  const Case cases[] = {
      {{10, 90}, true},   {{144, 139}, true}, {{145, 90}, false}, {{10, 140}, false},
      {{9, 90}, false},   {{10, 89}, false},  {{77, 115}, true},  {{-5, -5}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(button.HitTest(c.point), c.inside) << c.point.x << "," << c.point.y;
  }
}

TEST(PanelButtonTest, BitmapOfEachStateWithEitherBase) {
  for (const int base : {0, 1000}) {
    CPanelButton button = AreaButton(base);
    const std::pair<std::uint8_t, UINT> cases[] = {
        {0, 159}, {1, 176}, {2, 177}, {3, 159}, {255, 159},
    };
    for (const auto& [state, bitmap] : cases) {
      button.SetState(state);
      EXPECT_EQ(button.GetBitmapId(), bitmap + base) << "state " << int(state) << " base " << base;
    }
  }
}

TEST(PanelButtonTest, OnlyPressingTheHighlightedButtonClicks) {
  struct Case {
    std::uint8_t from, to;
    bool changed, clicks;
  };
  const Case cases[] = {
      {1, 2, true, true},   {0, 2, true, false},  {2, 2, false, false},
      {2, 1, true, false},  {0, 0, false, false}, {0, 1, true, false},
      {1, 0, true, false},  {2, 0, true, false},  {1, 1, false, false},
  };
  for (const Case& c : cases) {
    CPanelButton button = AreaButton();
    button.SetState(c.from);
    SoundRecorder sounds;
    EXPECT_EQ(button.SetState(c.to), c.changed) << int(c.from) << " to " << int(c.to);
    EXPECT_EQ(button.GetState(), c.to);
    EXPECT_EQ(sounds.plays(), c.clicks ? std::vector<const void*>{kSound}
                                       : std::vector<const void*>{})
        << int(c.from) << " to " << int(c.to);
  }
}

// Draws the button into a 24-bit picture and answers its pixels.
std::vector<std::uint32_t> Render(const CPanelButton& button) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 290, -389, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const UniqueBitmap picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
  const ScopedSelectObject selected(dc.get(), picture.get());
  button.Draw(dc.get(), CPictureSet());
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  return std::vector<std::uint32_t>(pixels, pixels + 290 * 389);
}

TEST(PanelButtonTest, DrawsTheFaceOfItsStateAndNothingOutside) {
  CPanelButton button = AreaButton();
  const auto normal = Render(button);
  button.SetState(1);
  const auto highlighted = Render(button);
  button.SetState(2);
  const auto pressed = Render(button);
  button.SetState(7);
  const auto unknown = Render(button);

  EXPECT_NE(normal, highlighted);
  EXPECT_NE(highlighted, pressed);
  EXPECT_EQ(unknown, normal) << "an unknown state draws the normal face";
  const auto at = [](const std::vector<std::uint32_t>& p, int x, int y) { return p[y * 290 + x]; };
  EXPECT_EQ(at(normal, 9, 100), 0u) << "left of the button";
  EXPECT_EQ(at(normal, 145, 100), 0u) << "right of the button";
  EXPECT_EQ(at(normal, 50, 140), 0u) << "below the button";
  int drawn = 0;
  for (int y = 90; y < 140; ++y) {
    for (int x = 10; x < 145; ++x) drawn += at(normal, x, y) != 0;
  }
  EXPECT_GT(drawn, 135 * 50 * 9 / 10) << "the face covers its rectangle";
}

// A packed 8-bit bitmap with a header of headerSize bytes and a colour table of known colours.
std::vector<BYTE> PackedBitmap(DWORD headerSize, WORD bitCount) {
  const int colors = bitCount <= 8 ? 1 << bitCount : 0;
  std::vector<BYTE> block(headerSize + 4 * colors + 64, 0);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(block.data());
  header->biSize = headerSize;
  header->biWidth = 4;
  header->biHeight = 4;
  header->biPlanes = 1;
  header->biBitCount = bitCount;
  auto* table = reinterpret_cast<RGBQUAD*>(block.data() + headerSize);
  for (int i = 0; i < colors; ++i) {
    table[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i / 2), 0};
  }
  return block;
}

TEST(PanelButtonTest, PaletteComesFromTheColourTableAfterTheWholeHeader) {
  for (const DWORD headerSize : {DWORD{sizeof(BITMAPINFOHEADER)}, DWORD{sizeof(BITMAPV5HEADER)}}) {
    auto block = PackedBitmap(headerSize, 8);
    int count = 0;
    const UniquePalette palette(CreatePaletteFromDib(
        reinterpret_cast<const BITMAPINFOHEADER*>(block.data()), count));
    ASSERT_TRUE(palette) << headerSize;
    EXPECT_EQ(count, 256);
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(palette.get(), 0, 256, entries), 256u);
    for (int i : {0, 1, 100, 255}) {
      EXPECT_EQ(entries[i].peBlue, i) << "header " << headerSize << " entry " << i;
      EXPECT_EQ(entries[i].peGreen, 255 - i) << "header " << headerSize << " entry " << i;
      EXPECT_EQ(entries[i].peRed, i / 2) << "header " << headerSize << " entry " << i;
    }
  }
}

TEST(PanelButtonTest, BitmapWithoutColourTableHasNoPalette) {
  auto block = PackedBitmap(sizeof(BITMAPINFOHEADER), 24);
  int count = -1;
  EXPECT_FALSE(CreatePaletteFromDib(
      reinterpret_cast<const BITMAPINFOHEADER*>(block.data()), count));
  EXPECT_EQ(count, 0);
  EXPECT_FALSE(LoadDibPalette(400)) << "no such bitmap";
}

// A bitmap resource's header and pixels, past its colour table.
struct DibView {
  const BITMAPINFOHEADER* header = nullptr;
  std::vector<std::uint8_t> pixels;
};
DibView LoadDib(int id) {
  DibView dib;
  const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_BITMAP);
  if (!found) return dib;
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
  dib.header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
  const DWORD colours =
      dib.header->biClrUsed ? dib.header->biClrUsed : 1u << dib.header->biBitCount;
  const std::size_t offset = dib.header->biSize + colours * sizeof(RGBQUAD);
  dib.pixels.assign(bytes + offset, bytes + SizeofResource(nullptr, found));
  return dib;
}

TEST(PanelButtonTest, TheTwoSetsShareShapesButNotColours) {
  // The panel and the faces of all twelve buttons, 37 pictures in each set.
  int pictures = 0;
  for (int id = 144; id <= 197; ++id) {
    const DibView first = LoadDib(id);
    const DibView second = LoadDib(id + 1000);
    ASSERT_EQ(first.header == nullptr, second.header == nullptr)
        << "bitmap " << id << " has no twin";
    if (!first.header) continue;
    ++pictures;
    EXPECT_EQ(first.header->biWidth, second.header->biWidth) << id;
    EXPECT_EQ(first.header->biHeight, second.header->biHeight) << id;
    EXPECT_EQ(first.header->biBitCount, 8) << id;
    EXPECT_EQ(second.header->biBitCount, 8) << id;
    EXPECT_TRUE(first.pixels == second.pixels) << "bitmaps " << id << " and " << id + 1000
                                               << " differ in shape";
  }
  EXPECT_EQ(pictures, 37);

  const UniquePalette first(LoadDibPalette(144));
  const UniquePalette second(LoadDibPalette(1144));
  ASSERT_TRUE(first);
  ASSERT_TRUE(second);
  PALETTEENTRY a[256], b[256];
  GetPaletteEntries(first.get(), 0, 256, a);
  GetPaletteEntries(second.get(), 0, 256, b);
  int differing = 0;
  for (int i = 0; i < 256; ++i) {
    differing += a[i].peRed != b[i].peRed || a[i].peGreen != b[i].peGreen || a[i].peBlue != b[i].peBlue;
  }
  EXPECT_GT(differing, 128);
}

}  // namespace

// The click sound's library is loaded when first used, and from the system folder only: a
// winmm.dll beside the program, where a load by bare name would find it first, is never loaded.
TEST(SystemSoundTest, TheSoundLibraryComesFromTheSystemFolder) {
  namespace fs = std::filesystem;
  if (GetModuleHandleW(L"winmm.dll")) GTEST_SKIP() << "already loaded by an earlier test";
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  const fs::path folder = fs::path(program).parent_path();
  const fs::path planted = folder / L"winmm.dll";
  fs::copy_file(folder / L"planted" / L"winmm.dll", planted, fs::copy_options::overwrite_existing);

  platform::StopSound();
  const HMODULE winmm = GetModuleHandleW(L"winmm.dll");
  std::error_code ignored;
  fs::remove(planted, ignored);
  ASSERT_NE(winmm, nullptr);
  wchar_t loaded[MAX_PATH] = {};
  wchar_t system[MAX_PATH] = {};
  GetModuleFileNameW(winmm, loaded, MAX_PATH);
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(_wcsnicmp(loaded, system, length), 0)
      << "loaded from " << testing::PrintToString(std::wstring(loaded));
}
