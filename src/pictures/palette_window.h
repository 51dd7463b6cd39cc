#pragma once

#include "framework/wnd.h"

// Realises the current picture set's palette in window pWnd (as a background palette while a
// WM_PALETTECHANGED is being answered) and repaints the main window when the system palette
// mapping changed. Answers whether it changed.
bool RealizePicturePalette(CWnd* pWnd);

// A window that shows the pictures' colours right while it is active: on a 256-colour display it
// realises their palette whenever it becomes active.
template <class Base>
class CPaletteWindow : public Base {
 public:
  using Base::Base;

 protected:
  void OnActivate(UINT state, HWND hwndOther, BOOL bMinimized) override {
    Base::OnActivate(state, hwndOther, bMinimized);
    if (state != WA_INACTIVE) RealizePicturePalette(this);
  }
};
