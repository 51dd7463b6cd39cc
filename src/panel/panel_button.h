#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/handles.h"
#include "framework/object.h"
#include "pictures/scale.h"

class CPictureSet;

// One picture button of the launcher panel: a rectangle of the view drawn from one of three
// bitmap resources by its state. Not a window; the view hit-tests it, sets its state and has it
// draw. It owns nothing: the pictures and the click sound belong to the view.

class CPanelButton : public CObject {
 public:
  enum State : std::uint8_t { kNormal = 0, kHighlighted = 1, kPressed = 2 };

  // The identifiers are those of set 0; bitmapBase (0 or 1000) picks the set for good.
  CPanelButton(POINT topLeft, UINT normalId, UINT highlightedId, UINT pressedId, const void* sound,
               int bitmapBase);

  // Draws the face of the current state, as pictures has it at the scale in use, over the
  // button's rectangle.
  void Draw(HDC hdc, const CPictureSet& pictures) const;
  bool HitTest(POINT point) const;
  // Its three faces are in the program and it could measure itself (a system short of GDI
  // objects can refuse that).
  bool HasFaces() const;
  UINT GetBitmapId() const;
  // Stores the state; a press of the highlighted button (1 to 2) clicks. True when it changed:
  // the caller redraws.
  bool SetState(std::uint8_t state);

  std::uint8_t GetState() const { return m_nState; }
  // The face's size in the design's 96-DPI pixels.
  SIZE GetSize() const { return m_size; }
  // The face's rectangle in the view's client pixels at the screen's scale, right and bottom
  // exclusive.
  RECT GetRect() const;
  void SetScale(Scale scale) { m_scale = scale; }

 private:
  POINT m_ptTopLeft;
  SIZE m_size{};
  Scale m_scale;
  std::uint8_t m_nState = kNormal;
  UINT m_nBitmapId[3];
  const void* m_pSound;
};
