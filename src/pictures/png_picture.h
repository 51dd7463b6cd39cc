#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <vector>

// Decodes an 8-bit palettised PNG through the Windows Imaging Component into a packed DIB: a
// BITMAPINFOHEADER, a 256-entry colour table and bottom-up rows, the form of a bitmap resource.
// Empty for anything else (bad data, another pixel format, no WIC). COM is started for the call
// and stopped after it, so nothing of it is loaded until a picture needs decoding.
std::vector<BYTE> DecodePalettisedPng(std::span<const std::byte> png);
