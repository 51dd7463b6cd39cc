#include "panel/panel_button.h"

#include "framework/handles.h"
#include "framework/resources.h"
#include "framework/wnd.h"
#include "pictures/picture_set.h"
#include "platform/platform.h"

CPanelButton::CPanelButton(POINT topLeft, UINT normalId, UINT highlightedId, UINT pressedId,
                           const void* sound, int bitmapBase)
    : m_ptTopLeft(topLeft),
      m_nBitmapId{(normalId & 0xFFFF) + bitmapBase, (highlightedId & 0xFFFF) + bitmapBase,
                  (pressedId & 0xFFFF) + bitmapBase},
      m_pSound(sound) {
  // The button measures itself on its highlighted face; without it, it has no size and is
  // never hit.
  const UniqueBitmap bitmap(
      LoadBitmapW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nBitmapId[kHighlighted] & 0xFFFF)));
  BITMAP info{};
  if (bitmap && GetObjectW(bitmap.get(), sizeof info, &info))
    m_size = {info.bmWidth, info.bmHeight};
}

void CPanelButton::Draw(HDC hdc, const CPictureSet& pictures) const {
  const BITMAPINFOHEADER* header = pictures.FindBitmap(GetBitmapId());
  if (header) DrawPackedBitmap(hdc, header, GetRect());
}

RECT CPanelButton::GetRect() const {
  return m_scale(
      RECT{m_ptTopLeft.x, m_ptTopLeft.y, m_ptTopLeft.x + m_size.cx, m_ptTopLeft.y + m_size.cy});
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
