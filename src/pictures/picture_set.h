#pragma once

#include <windows.h>

#include "framework/handles.h"

// The packed bitmap resource id (low 16 bits count) of the program, or null when it is missing.
const BITMAPINFOHEADER* FindPackedBitmap(UINT bitmapId);
// Draws a whole packed bitmap into target: a copy pixel for pixel where the sizes agree, else
// resampled with the system's halftone filter.
void DrawPackedBitmap(HDC hdc, const BITMAPINFOHEADER* header, const RECT& target);
// A palette from the colour table of a packed 8-bit (or less) bitmap; null for one without.
UniquePalette CreatePaletteFromDib(const BITMAPINFOHEADER* header, int& colorCount);
UniquePalette LoadDibPalette(UINT bitmapId);

// The pictures the program shows: one of its two colour sets (0 or 1000 added to every picture
// id) and the one palette that all pictures of the set share. The launcher holds the set for as
// long as it runs; while it does, the set is the current one, whose palette every window realises.
class CPictureSet {
 public:
  // Set 0 unless the start chose another.
  static void Choose(int bitmapBase);
  static int Chosen();
  // The set alive now, or null.
  static const CPictureSet* Current();

  // The chosen set; it becomes the current one.
  CPictureSet();
  ~CPictureSet();
  CPictureSet(const CPictureSet&) = delete;
  CPictureSet& operator=(const CPictureSet&) = delete;

  int GetBase() const { return m_nBase; }
  HPALETTE GetPalette() const { return m_hPalette.get(); }
  // The set's picture of set-0 identifier id, or null.
  const BITMAPINFOHEADER* Find(UINT id) const { return FindPackedBitmap((id & 0xFFFF) + m_nBase); }

 private:
  int m_nBase;
  UniquePalette m_hPalette;
};
