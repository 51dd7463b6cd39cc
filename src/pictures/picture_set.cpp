#include "pictures/picture_set.h"

#include <cstdlib>
#include <vector>

#include "framework/resources.h"
#include "framework/wnd.h"
#include "pictures/palette_window.h"
#include "res/resource.h"

namespace {

// Entries in the colour table that follows the header: only bitmaps of 8 bits or fewer have one.
int ColorTableLength(const BITMAPINFOHEADER* header) {
  return header->biBitCount <= 8 ? 1 << header->biBitCount : 0;
}

int g_chosenBase = 0;
const CPictureSet* g_current = nullptr;

}  // namespace

const BITMAPINFOHEADER* FindPackedBitmap(UINT bitmapId) {
  const auto bytes = FindResourceBytes(bitmapId & 0xFFFF, RT_BITMAP);
  return bytes.size() >= sizeof(BITMAPINFOHEADER)
             ? reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data())
             : nullptr;
}

void DrawPackedBitmap(HDC hdc, const BITMAPINFOHEADER* header, const RECT& target) {
  const auto* bits =
      reinterpret_cast<const BYTE*>(header) + header->biSize + 4 * ColorTableLength(header);
  const int width = header->biWidth;
  const int height = std::abs(header->biHeight);
  const int targetWidth = target.right - target.left;
  const int targetHeight = target.bottom - target.top;
  if (targetWidth != width || targetHeight != height) {
    SetStretchBltMode(hdc, HALFTONE);
    SetBrushOrgEx(hdc, 0, 0, nullptr);
  }
  StretchDIBits(hdc, target.left, target.top, targetWidth, targetHeight, 0, 0, width, height, bits,
                reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS, SRCCOPY);
}

UniquePalette CreatePaletteFromDib(const BITMAPINFOHEADER* header, int& colorCount) {
  colorCount = ColorTableLength(header);
  if (colorCount == 0) return UniquePalette();
  std::vector<BYTE> block(sizeof(LOGPALETTE) + colorCount * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(colorCount);
  // The colour table follows the header, whatever the header's size; entries are blue, green,
  // red, reserved.
  const auto* table =
      reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header) + header->biSize);
  for (int i = 0; i < colorCount; ++i) {
    palette->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  }
  return UniquePalette(CreatePalette(palette));
}

UniquePalette LoadDibPalette(UINT bitmapId) {
  const BITMAPINFOHEADER* header = FindPackedBitmap(bitmapId);
  int colorCount = 0;
  return header ? CreatePaletteFromDib(header, colorCount) : UniquePalette();
}

void CPictureSet::Choose(int bitmapBase) {
  g_chosenBase = bitmapBase;
}
int CPictureSet::Chosen() {
  return g_chosenBase;
}
const CPictureSet* CPictureSet::Current() {
  return g_current;
}

// Every picture of a set shares the panel's colour table, so the panel's palette serves them all.
CPictureSet::CPictureSet()
    : m_nBase(g_chosenBase), m_hPalette(LoadDibPalette(IDB_PANEL + m_nBase)) {
  g_current = this;
}

CPictureSet::~CPictureSet() {
  if (g_current == this) g_current = nullptr;
}

bool RealizePicturePalette(CWnd* pWnd) {
  const CPictureSet* pictures = CPictureSet::Current();
  if (!pictures || !pictures->GetPalette() || !pWnd) return false;

  ClientDC dc(pWnd->m_hWnd);
  const bool background = AfxGetCurrentMessage()->message == WM_PALETTECHANGED;
  UINT changed = 0;
  {
    ScopedSelectPalette select(dc.get(), pictures->GetPalette(), background);
    changed = RealizePalette(dc.get());
  }
  // A failed realisation (GDI_ERROR) leaves the mapping unknown: repainting is the safe answer.
  if (changed == 0) return false;
  if (CWnd* pMain = AfxGetMainWnd()) InvalidateRect(pMain->m_hWnd, nullptr, TRUE);
  return true;
}
