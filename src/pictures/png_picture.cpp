#include "pictures/png_picture.h"

// After windows.h: the imaging component's interfaces.
#include <wincodec.h>

#include <cstring>
#include <optional>
#include <type_traits>

#include "framework/handles.h"
#include "platform/platform.h"

namespace {

// The calls of ole32 that decoding needs, bound at the first decode.
struct Ole32 {
  decltype(&::CoInitializeEx) coInitializeEx;
  decltype(&::CoUninitialize) coUninitialize;
  decltype(&::CoCreateInstance) coCreateInstance;
};

const Ole32* LoadOle32() {
  static const std::optional<Ole32> library = []() -> std::optional<Ole32> {
    const HMODULE ole32 = platform::LoadSystemLibrary(L"ole32.dll");
    if (!ole32) return std::nullopt;
    const auto bind = [ole32](auto& function, const char* name) {
      function = platform::ProcAddress<std::remove_reference_t<decltype(function)>>(ole32, name);
      return function != nullptr;
    };
    Ole32 calls{};
    const bool complete = bind(calls.coInitializeEx, "CoInitializeEx") &&
                          bind(calls.coUninitialize, "CoUninitialize") &&
                          bind(calls.coCreateInstance, "CoCreateInstance");
    return complete ? std::optional(calls) : std::nullopt;
  }();
  return library ? &*library : nullptr;
}

// COM on this thread for as long as this lives (joining an apartment already there).
class ComApartment {
 public:
  explicit ComApartment(const Ole32& ole32)
      : m_ole32(ole32),
        m_bStarted(SUCCEEDED(ole32.coInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (m_bStarted) m_ole32.coUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  const Ole32& m_ole32;
  bool m_bStarted;
};

constexpr UINT kTableLength = 256;
// Far above any picture of the program (the panel at 200 % is 580 x 778): a damaged header
// claiming more is refused before anything is allocated for it.
constexpr UINT kLargestSide = 4096;

// The frame's pixel indices and colour table as a packed DIB; empty when WIC refuses either.
std::vector<BYTE> PackFrame(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame) {
  UINT width = 0, height = 0;
  WICPixelFormatGUID format{};
  if (FAILED(frame->GetSize(&width, &height)) || FAILED(frame->GetPixelFormat(&format)) ||
      format != GUID_WICPixelFormat8bppIndexed || width == 0 || height == 0 ||
      width > kLargestSide || height > kLargestSide) {
    return {};
  }
  const auto palette =
      ObtainComObject<IWICPalette>([&](auto out) { return factory->CreatePalette(out); });
  WICColor colours[kTableLength] = {};
  UINT colourCount = 0;
  if (!palette || FAILED(frame->CopyPalette(palette.get())) ||
      FAILED(palette.get()->GetColors(kTableLength, colours, &colourCount))) {
    return {};
  }

  const UINT stride = (width + 3) & ~3u;
  const std::size_t tableBytes = kTableLength * sizeof(RGBQUAD);
  std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + tableBytes + std::size_t{stride} * height);
  const BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER),
                                static_cast<LONG>(width),
                                static_cast<LONG>(height),
                                1,
                                8,
                                BI_RGB,
                                stride * height,
                                0,
                                0,
                                kTableLength,
                                0};
  std::memcpy(dib.data(), &header, sizeof header);
  auto* table = reinterpret_cast<RGBQUAD*>(dib.data() + sizeof header);
  for (UINT i = 0; i < colourCount && i < kTableLength; ++i) {
    // WICColor is 0xAARRGGBB; the table's entries are blue, green, red, reserved.
    table[i] = {static_cast<BYTE>(colours[i]), static_cast<BYTE>(colours[i] >> 8),
                static_cast<BYTE>(colours[i] >> 16), 0};
  }
  // WIC gives rows top down; a DIB of positive height keeps them bottom up.
  BYTE* rows = dib.data() + sizeof header + tableBytes;
  for (UINT y = 0; y < height; ++y) {
    const WICRect row{0, static_cast<INT>(y), static_cast<INT>(width), 1};
    if (FAILED(
            frame->CopyPixels(&row, stride, stride, rows + std::size_t{height - 1 - y} * stride)))
      return {};
  }
  return dib;
}

}  // namespace

// The apartment is declared first, so the factory is released before it ends.
struct CPngDecoder::Session {
  explicit Session(const Ole32& ole32) : apartment(ole32) {}
  ComApartment apartment;
  ComPtr<IWICImagingFactory> factory;
};

CPngDecoder::CPngDecoder() = default;
CPngDecoder::~CPngDecoder() = default;

std::vector<BYTE> CPngDecoder::Decode(std::span<const std::byte> png) {
  if (png.empty() || png.size() > 0x1000000) return {};
  if (!m_bTried) {
    m_bTried = true;
    if (const Ole32* ole32 = LoadOle32()) {
      m_session = std::make_unique<Session>(*ole32);
      m_session->factory = ObtainComObject<IWICImagingFactory>([&](auto out) {
        return ole32->coCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       __uuidof(IWICImagingFactory), reinterpret_cast<void**>(out));
      });
    }
  }
  IWICImagingFactory* factory = m_session ? m_session->factory.get() : nullptr;
  if (!factory) return {};
  // Every interface below is released before the next decode.
  const auto stream =
      ObtainComObject<IWICStream>([&](auto out) { return factory->CreateStream(out); });
  if (!stream || FAILED(stream.get()->InitializeFromMemory(
                     reinterpret_cast<BYTE*>(const_cast<std::byte*>(png.data())),
                     static_cast<DWORD>(png.size())))) {
    return {};
  }
  const auto decoder = ObtainComObject<IWICBitmapDecoder>([&](auto out) {
    return factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                            out);
  });
  if (!decoder) return {};
  const auto frame = ObtainComObject<IWICBitmapFrameDecode>(
      [&](auto out) { return decoder.get()->GetFrame(0, out); });
  return frame ? PackFrame(factory, frame.get()) : std::vector<BYTE>();
}
