#include "pictures/picture_set.h"

#include <cstdlib>
#include <iterator>
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

int DrawnPercentFor(Scale scale) {
  if (scale.dpi <= Scale::kDesignDpi) return 100;
  for (const int percent : kDrawnPercents) {
    if (scale.dpi * 100 <= percent * Scale::kDesignDpi) return percent;
  }
  return std::end(kDrawnPercents)[-1];
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

// The panel is decoded as soon as its scale is chosen: its colour table is the palette of every
// picture of the set and scale.
void CPictureSet::SetScale(Scale scale) {
  m_nPercent = DrawnPercentFor(scale);
  if (m_nPercent == 100) return;
  DrawnScale& drawn = m_drawn[m_nPercent];
  if (drawn.palette) return;
  if (const BITMAPINFOHEADER* panel = Find(IDB_PANEL)) {
    int colorCount = 0;
    drawn.palette = CreatePaletteFromDib(panel, colorCount);
  }
}

HPALETTE CPictureSet::GetPalette() const {
  const auto drawn = m_drawn.find(m_nPercent);
  return drawn != m_drawn.end() && drawn->second.palette ? drawn->second.palette.get()
                                                         : m_hPalette.get();
}

const BITMAPINFOHEADER* CPictureSet::Find(UINT id) const {
  return FindBitmap((id & 0xFFFF) + m_nBase);
}

const BITMAPINFOHEADER* CPictureSet::FindBitmap(UINT bitmapId) const {
  if (m_nPercent != 100) {
    if (const BITMAPINFOHEADER* picture = Decoded(m_nPercent * 100 + bitmapId)) return picture;
  }
  return FindPackedBitmap(bitmapId);
}

const BITMAPINFOHEADER* CPictureSet::Decoded(UINT resourceId) const {
  auto [entry, added] = m_drawn[m_nPercent].pictures.try_emplace(resourceId);
  if (added) entry->second = m_decoder.Decode(FindResourceBytes(resourceId, L"PNG"));
  return entry->second.empty() ? nullptr
                               : reinterpret_cast<const BITMAPINFOHEADER*>(entry->second.data());
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
