#include "panel/panel_button.h"

#include <vector>

#include "framework/handles.h"
#include "platform/platform.h"
#include "framework/resources.h"
#include "framework/wnd.h"

namespace {

// Entries in the colour table that follows the header: only bitmaps of 8 bits or fewer have one.
int ColorTableLength(const BITMAPINFOHEADER* header) {
  return header->biBitCount <= 8 ? 1 << header->biBitCount : 0;
}

}  // namespace

const BITMAPINFOHEADER* FindPackedBitmap(UINT bitmapId) {
  const auto bytes = FindResourceBytes(bitmapId & 0xFFFF, RT_BITMAP);
  return bytes.size() >= sizeof(BITMAPINFOHEADER)
             ? reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data())
             : nullptr;
}

void DrawPackedBitmap(HDC hdc, const BITMAPINFOHEADER* header, int x, int y, int width,
                      int height) {
  const auto* bits = reinterpret_cast<const BYTE*>(header) + header->biSize +
                     4 * ColorTableLength(header);
  StretchDIBits(hdc, x, y, width, height, 0, 0, width, height, bits,
                reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS, SRCCOPY);
}

CPanelButton::CPanelButton(POINT topLeft, UINT normalId, UINT highlightedId, UINT pressedId,
                           HPALETTE palette, const void* sound, int bitmapBase)
    : m_hPalette(palette),
      m_ptTopLeft(topLeft),
      m_nBitmapId{(normalId & 0xFFFF) + bitmapBase, (highlightedId & 0xFFFF) + bitmapBase,
                  (pressedId & 0xFFFF) + bitmapBase},
      m_pSound(sound) {
  // The button measures itself on its highlighted face; without it, it has no size and is
  // never hit.
  const UniqueBitmap bitmap(LoadBitmapW(AfxGetResourceHandle(),
                                        MAKEINTRESOURCEW(m_nBitmapId[kHighlighted] & 0xFFFF)));
  BITMAP info{};
  if (bitmap && GetObjectW(bitmap.get(), sizeof info, &info)) m_size = {info.bmWidth, info.bmHeight};
}

void CPanelButton::Draw(HDC hdc) const {
  const BITMAPINFOHEADER* header = FindPackedBitmap(GetBitmapId());
  if (!header) return;
  if (m_hPalette) {
    SelectPalette(hdc, m_hPalette, FALSE);
    RealizePalette(hdc);
  }
  DrawPackedBitmap(hdc, header, m_ptTopLeft.x, m_ptTopLeft.y, m_size.cx, m_size.cy);
}

RECT CPanelButton::GetRect() const {
  return {m_ptTopLeft.x, m_ptTopLeft.y, m_ptTopLeft.x + m_size.cx, m_ptTopLeft.y + m_size.cy};
}

bool CPanelButton::HitTest(POINT point) const {
  const RECT rect = GetRect();
  return PtInRect(&rect, point);
}

bool CPanelButton::HasFaces() const {
  return m_size.cx > 0 && m_size.cy > 0 && FindPackedBitmap(m_nBitmapId[kNormal]) &&
         FindPackedBitmap(m_nBitmapId[kPressed]);
}

UINT CPanelButton::GetBitmapId() const {
  switch (m_nState) {
    case kHighlighted:
      return m_nBitmapId[kHighlighted];
    case kPressed:
      return m_nBitmapId[kPressed];
    default:
      return m_nBitmapId[kNormal];
  }
}

bool CPanelButton::SetState(std::uint8_t state) {
  const std::uint8_t old = m_nState;
  m_nState = state;
  if (old == kHighlighted && state == kPressed) platform::PlaySoundImage(m_pSound);
  return state != old;
}

UniquePalette CPanelButton::CreatePaletteFromDib(const BITMAPINFOHEADER* header,
                                                int& colorCount) {
  colorCount = ColorTableLength(header);
  if (colorCount == 0) return UniquePalette();
  std::vector<BYTE> block(sizeof(LOGPALETTE) + colorCount * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(colorCount);
  // The colour table follows the header, whatever the header's size; entries are blue, green,
  // red, reserved.
  const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header) +
                                                       header->biSize);
  for (int i = 0; i < colorCount; ++i) {
    palette->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  }
  return UniquePalette(CreatePalette(palette));
}

UniquePalette CPanelButton::LoadDibPalette(UINT bitmapId) {
  const BITMAPINFOHEADER* header = FindPackedBitmap(bitmapId);
  int colorCount = 0;
  return header ? CreatePaletteFromDib(header, colorCount) : UniquePalette();
}
