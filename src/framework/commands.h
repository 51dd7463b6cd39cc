// Command identifiers the framework answers for itself; plain macros, so the resource script
// can use them too.
#pragma once

#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_UNDO 0xE12B
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDS_APP_TITLE 0xE000
