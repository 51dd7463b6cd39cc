#pragma once

#include <span>

// Clothing sizes that belong together: each row holds the American, British and French size of
// one garment or shoe, as shown. "--" marks a system with no equivalent size.
struct SizeRow {
  const char* american;
  const char* british;
  const char* french;
};

using SizeTable = std::span<const SizeRow>;

extern const SizeTable kMenSuits;      // suits and coats
extern const SizeTable kMenShoes;
extern const SizeTable kWomenDresses;  // suits and dresses
extern const SizeTable kWomenShoes;
