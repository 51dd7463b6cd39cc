#pragma once

#include <string>

#include "framework/handles.h"
#include "units/converter_windows.h"

// The speed converter, whose pointer gallops: over the window's background and its labels the
// pointer becomes the animated horse of "horse.ani"; over the fields and the button it stays the
// usual one.
class CSpeedDlg : public CConverterDlg {
 public:
  CSpeedDlg() : CConverterDlg(kSpeedWindow) {}

  HCURSOR GetHorseCursor() const { return m_hHorseCursor.get(); }
  // The cursor file beside the program's executable. Only that folder is trusted: a file of the
  // same name in the current folder (wherever the program was started from) is never read.
  static std::wstring HorseCursorPath();

 protected:
  BOOL OnSetCursor(HWND hwnd, UINT hitTest, UINT message) override;

 private:
  UniqueCursor m_hHorseCursor;  // destroyed before the matrix, with the window
};
