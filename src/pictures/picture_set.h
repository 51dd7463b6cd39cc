#pragma once

#include <windows.h>

#include <map>
#include <vector>

#include "framework/handles.h"
#include "pictures/png_picture.h"
#include "pictures/scale.h"

// The packed bitmap resource id (low 16 bits count) of the program, or null when it is missing.
const BITMAPINFOHEADER* FindPackedBitmap(UINT bitmapId);
// Draws a whole packed bitmap into target: a copy pixel for pixel where the sizes agree, else
// resampled with the system's halftone filter.
void DrawPackedBitmap(HDC hdc, const BITMAPINFOHEADER* header, const RECT& target);
// A palette from the colour table of a packed 8-bit (or less) bitmap; null for one without.
UniquePalette CreatePaletteFromDib(const BITMAPINFOHEADER* header, int& colorCount);
UniquePalette LoadDibPalette(UINT bitmapId);

// The scales the pictures are drawn at above 100 %, in percent. Their pictures are PNG resources
// of type "PNG", each with the percentage times 100 plus its bitmap's id; 100 % are the bitmaps.
inline constexpr int kDrawnPercents[] = {125, 150, 175, 200};
// The drawn scale whose pictures serve a window at scale: the smallest at least as large (reduced
// to fit), 200 above it (enlarged), the bitmaps at 100 % and below.
int DrawnPercentFor(Scale scale);

// The pictures the program shows: one of its two colour sets (0 or 1000 added to every picture
// id) drawn at the scale in use, and the one palette that all pictures of that set and scale
// share. The launcher holds the set for as long as it runs; while it does, the set is the current
// one, whose palette every window realises.
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
  // The pictures drawn for scale serve from now on (100 % until this is called).
  void SetScale(Scale scale);
  int GetDrawnPercent() const { return m_nPercent; }
  // The palette of the pictures in use.
  HPALETTE GetPalette() const;
  // The picture in use of set-0 identifier id, or null. A picture of a drawn scale is decoded at
  // its first use; one that cannot be decoded is replaced by its bitmap, which DrawPackedBitmap
  // then resamples.
  const BITMAPINFOHEADER* Find(UINT id) const;
  // The same for a bitmap id that has its set's 1000 added already.
  const BITMAPINFOHEADER* FindBitmap(UINT bitmapId) const;

 private:
  // The decoded pictures of one drawn scale, by resource id; an empty one could not be decoded.
  struct DrawnScale {
    std::map<UINT, std::vector<BYTE>> pictures;
    UniquePalette palette;
    bool paletteTried = false;
  };
  const BITMAPINFOHEADER* Decoded(UINT resourceId) const;

  int m_nBase;
  UniquePalette m_hPalette;  // of the bitmaps
  int m_nPercent = 100;
  mutable std::map<int, DrawnScale> m_drawn;  // by percent
  mutable CPngDecoder m_decoder;
};
