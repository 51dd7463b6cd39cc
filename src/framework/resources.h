#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <string_view>

// The bytes of resource id of a type (RT_DIALOG, RT_BITMAP, L"WAVE", ...) in the program's
// module, in place: they stay valid for as long as the module is loaded and are never freed.
// Empty when there is no such resource.
std::span<const std::byte> FindResourceBytes(UINT id, const wchar_t* type);

// A string of the program's string table, in place in the resource (its strings are not
// terminated there); empty when there is none.
std::wstring_view LoadStringResource(UINT id);
