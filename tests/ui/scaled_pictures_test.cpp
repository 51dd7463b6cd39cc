// The launcher's pictures at the scales they are drawn for, and a damaged one giving way.
#include <shlwapi.h>
#include <wincodec.h>

#include <cmath>

#include "framework/resources.h"
#include "launcher_fixture.h"
#include "pictures/picture_set.h"

namespace {

// A PNG resource read by WIC's own converter into 32-bit colour (top byte undefined), top row
// first: the test's reading of the art, apart from the program's route (indices drawn by GDI).
std::vector<std::uint32_t> Reference(UINT id, UINT& width, UINT& height) {
  const auto png = FindResourceBytes(id, L"PNG");
  const ComPtr<IStream> in(
      SHCreateMemStream(reinterpret_cast<const BYTE*>(png.data()), png.size()));
  const auto wic = ObtainComObject<IWICImagingFactory>([](auto p) {
    return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                            __uuidof(IWICImagingFactory), reinterpret_cast<void**>(p));
  });
  const auto decoder = ObtainComObject<IWICBitmapDecoder>([&](auto p) {
    return wic.get()->CreateDecoderFromStream(in.get(), nullptr, WICDecodeMetadataCacheOnLoad, p);
  });
  const auto frame =
      ObtainComObject<IWICBitmapFrameDecode>([&](auto p) { return decoder.get()->GetFrame(0, p); });
  const auto bgr = ObtainComObject<IWICFormatConverter>(
      [&](auto p) { return wic.get()->CreateFormatConverter(p); });
  bgr.get()->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                        0, WICBitmapPaletteTypeCustom);
  bgr.get()->GetSize(&width, &height);
  std::vector<std::uint32_t> out(std::size_t{width} * height);
  bgr.get()->CopyPixels(nullptr, width * 4, width * height * 4, reinterpret_cast<BYTE*>(&out[0]));
  return out;
}

// At each drawn scale, set through the seam, the view prints as its panel with each normal face at
// its place, pixel for pixel.
TEST_F(LauncherTest, PanelShowsThePicturesDrawnForItsScale) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  for (const auto& [dpi, percent] :
       {std::pair{120u, 125u}, {144u, 150u}, {168u, 175u}, {192u, 200u}}) {
    const auto at = [dpi](long design) { return std::lround(design * dpi / 96.0); };
    const ScreenAtDpi screen{dpi};
    Restart();
    UINT width = 0, height = 0, w = 0, h = 0;
    std::vector<std::uint32_t> expected = Reference(percent * 100 + 144, width, height);
    ASSERT_EQ(long(width), at(290)) << dpi << " DPI";
    for (int n = 0; n < panel::kButtonCount; ++n) {
      const RECT r = panel::ButtonRect(n);
      const auto face = Reference(percent * 100 + panel::kButtons[n].normal, w, h);
      ASSERT_TRUE(long(w) == at(r.right) - at(r.left) && long(h) == at(r.bottom) - at(r.top))
          << n << ", " << dpi;
      for (UINT y = 0; y < h; ++y)
        std::copy_n(&face[y * w], w, &expected[(at(r.top) + y) * width + at(r.left)]);
    }
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), LONG(width), -LONG(height), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const UniqueBitmap shown(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    const ScopedSelectObject selected(dc.get(), shown.get());
    SendMessageW(m_view->m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    GdiFlush();
    int differing = 0;
    for (std::size_t i = 0; i < expected.size(); ++i)
      differing += ((static_cast<const std::uint32_t*>(bits)[i] ^ expected[i]) & 0xFFFFFF) != 0;
    EXPECT_EQ(differing, 0) << "pixels unlike the " << percent << " % pictures, " << dpi << " DPI";
  }
  Stop();
  CoUninitialize();
}

TEST(ScaledPicturesTest, DamagedPictureGivesWayToItsBitmap) {
  CPictureSet pictures;  // ui_tests.rc gives picture 460 a 150 % PNG cut short
  pictures.SetScale(Scale{144});
  EXPECT_EQ(pictures.FindBitmap(460), FindPackedBitmap(460));
  EXPECT_NE(pictures.FindBitmap(159), FindPackedBitmap(159)) << "the 150 % face serves";
}

}  // namespace
