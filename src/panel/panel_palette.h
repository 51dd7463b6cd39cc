#pragma once

#include "framework/frame.h"

// Realises the launcher's panel palette in window pWnd (as a background palette while a
// WM_PALETTECHANGED is being answered) and repaints the main frame pFrame when the system
// palette mapping changed. Answers whether it changed.
bool RealizePanelPalette(CWnd* pWnd, CFrameWnd* pFrame);
