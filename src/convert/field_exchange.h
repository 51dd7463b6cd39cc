#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/handles.h"
#include "framework/wnd.h"

// The field's text as ASCII, at most maxChars characters; anything else becomes DEL, which no
// number contains.
std::string ReadFieldText(HWND control, int maxChars = 0x7FFFFFFF);
// Shows value as number text ("1.00000000"), or an empty field when it cannot be shown.
void WriteNumberField(HWND control, double value);
// Reads the field's number text; valid is false (and the answer 0) when the text breaks its rules.
double ReadNumberField(HWND control, bool& valid);

// A double member and its edit field. Reading: a bad text beeps and gets the member's text back;
// a field the user has not edited since the program wrote it (its modify flag clear) leaves the
// member as it is. Writing: a field whose text already means the member's value keeps it as the
// user wrote it.
void DDX_Number(CDataExchange* pDX, int controlId, double& value);
// An integer member and its edit field, accepting lower <= n < upper.
void DDX_IntRange(CDataExchange* pDX, int controlId, int& value, int upper, int lower);
void DDX_ByteRange(CDataExchange* pDX, int controlId, std::uint8_t& value, int upper, int lower);

// An up-down control made at run time, paired with its buddy field; null when it cannot be made.
HWND CreateUpDown(DWORD style, int x, int y, int cx, int cy, HWND parent, int id,
                  HINSTANCE instance, HWND buddy, int upper, int lower, int pos);

// EnumFontFamiliesW callback: copies the first raster member of the family into the LOGFONTW that
// param points at and stops the enumeration (the call then answers 0).
int CALLBACK EnumRasterFontProc(const LOGFONTW* logFont, const TEXTMETRICW* textMetric,
                                DWORD fontType, LPARAM param);
// The screen's first raster font of a family, at the scale of dpi: its member of that size times
// dpi / 96; null when the computer has none of that size.
UniqueFont CreateRasterFont(const wchar_t* family, UINT dpi = USER_DEFAULT_SCREEN_DPI);
