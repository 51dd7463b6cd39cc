#pragma once

#include <cstddef>
#include <string_view>

// Room for 39 characters and the terminator.
inline constexpr std::size_t kNumberTextCapacity = 40;
// Text read from a field is cut to this many characters.
inline constexpr std::size_t kFieldReadLimit = 38;

// Writes value with eight decimals ("1609.00000000"), identically on every
// build and in every locale. Infinity shows as "1.#INF0000". Returns false,
// leaving buffer untouched, for NaN or when the text does not fit in
// capacity chars (terminator included).
bool FormatNumber(double value, char* buffer, std::size_t capacity);

struct NumberReading {
  bool valid;
  double value;
};

// Reads what the user typed in a field: only digits, a leading or
// exponent "-", one "." before any "e", and "e" after the first character.
// Anything else makes the reading invalid, with value 0. Only the first
// kFieldReadLimit characters are read.
NumberReading ReadNumberText(std::string_view text);

// Reads the longest leading decimal number like atof in the "C" locale,
// whatever the process locale; 0 when there is none. Hexadecimal floats
// are not read.
double ParseNumberPrefix(std::string_view text);
