// Resource identifiers of the program, kept by hand and grouped by kind.
#pragma once

// The main frame: document strings, application icon, menu and accelerators share one number.
#define IDR_MAINFRAME 128
#define IDI_DOCUMENT 129
#define IDM_ABOUT_ITEM 65535

// The launcher panel. Face bitmaps are listed with the panel's buttons (src/panel/ralimet_view.cpp)
// and in bitmaps.rc; the alternative set is each identifier plus 1000.
#define IDB_PANEL 144
#define IDR_CLICK 150

// Dialogs
#define IDD_ABOUTBOX 200
