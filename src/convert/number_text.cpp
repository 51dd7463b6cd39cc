#include "convert/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace {

constexpr int kDecimals = 8;
constexpr int kSignificantDigits = 17;

// Longest kept digit string: the exponent of the largest double (0.D x 10^309),
// the decimals, and one digit gained by a carry.
constexpr std::size_t kMaxKeptDigits =
    std::numeric_limits<double>::max_exponent10 + 1 + kDecimals + 1;

// Room for "0.", eight digits and the terminator, the shortest text.
constexpr std::size_t kMinShortCapacity = 11;
// A long text always keeps room for a sign, a point and the terminator.
constexpr std::size_t kLongTextReserve = 3;

// Past this an exponent only tells overflow from underflow; it stays far
// from the limits of long long.
constexpr long long kExponentCap = 1'000'000'000'000'000;

// |value| = 0.digits x 10^exponent.
struct DecimalDigits {
  char digits[kMaxKeptDigits];
  std::size_t length;
  int exponent;
};

bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

// Spaces as isspace sees them in the "C" locale.
bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void AssignDigits(DecimalDigits& number, std::string_view digits, int exponent) {
  std::copy(digits.begin(), digits.end(), number.digits);
  number.length = digits.size();
  number.exponent = exponent;
}

// to_chars rounds exactly (printf rounding differs between C runtimes).
void AssignSignificantDigits(DecimalDigits& number, double magnitude) {
  char text[32];  // "d.dddddddddddddddde-308"
  const std::to_chars_result written = std::to_chars(
      text, text + sizeof text, magnitude, std::chars_format::scientific, kSignificantDigits - 1);
  number.digits[0] = text[0];
  std::copy_n(text + 2, kSignificantDigits - 1, number.digits + 1);
  number.length = kSignificantDigits;

  const char* exponent = text + kSignificantDigits + 2;  // past the 'e'
  if (*exponent == '+') ++exponent;
  int scientificExponent = 0;
  std::from_chars(exponent, written.ptr, scientificExponent);
  number.exponent = scientificExponent + 1;
}

void ToDecimalDigits(DecimalDigits& number, double magnitude) {
  if (std::isinf(magnitude)) {
    AssignDigits(number, "1#INF", 1);
  } else if (magnitude == 0.0) {
    AssignDigits(number, "0", 0);
  } else {
    AssignSignificantDigits(number, magnitude);
  }
}

// A carry out of the first digit leaves only zeros, so one more zero and a
// leading "1" complete it; with nothing kept the result is just "1".
void AddOneToLastDigit(DecimalDigits& number) {
  for (std::size_t pos = number.length; pos > 0; --pos) {
    char& digit = number.digits[pos - 1];
    if (digit != '9') {
      ++digit;
      return;
    }
    digit = '0';
  }
  number.digits[number.length] = '0';
  number.digits[0] = '1';
  ++number.length;
  ++number.exponent;
}

// Keeps the digits down to the eighth decimal. Numbers below 1e-9 keep none
// and are not rounded, so they show more zeros than eight.
void KeepDecimalPlaces(DecimalDigits& number) {
  const int kept = number.exponent + kDecimals;
  if (kept < 0) {
    number.length = 0;
    return;
  }
  const std::size_t keptLength = static_cast<std::size_t>(kept);
  if (keptLength >= number.length) {
    std::fill(number.digits + number.length, number.digits + keptLength, '0');
    number.length = keptLength;
    return;
  }
  const bool roundsUp = number.digits[keptLength] >= '5';
  number.length = keptLength;
  if (roundsUp) AddOneToLastDigit(number);
}

std::size_t TextLength(const DecimalDigits& kept, bool negative) {
  const std::size_t sign = negative ? 1 : 0;
  if (kept.exponent > 0) return sign + kept.length + 1;
  return sign + 2 + static_cast<std::size_t>(-kept.exponent) + kept.length;
}

std::size_t RequiredCapacity(const DecimalDigits& kept, std::size_t length) {
  const std::size_t reserve =
      kept.length > kDecimals ? kept.length + kLongTextReserve : kMinShortCapacity;
  return std::max(reserve, length + 1);
}

void WriteText(const DecimalDigits& kept, bool negative, char* out) {
  if (negative) *out++ = '-';
  const char* digits = kept.digits;
  if (kept.exponent > 0) {
    const std::size_t whole = static_cast<std::size_t>(kept.exponent);
    out = std::copy_n(digits, whole, out);
    *out++ = '.';
    out = std::copy(digits + whole, digits + kept.length, out);
  } else {
    *out++ = '0';
    *out++ = '.';
    out = std::fill_n(out, -kept.exponent, '0');
    out = std::copy_n(digits, kept.length, out);
  }
  *out = '\0';
}

bool IsAcceptedNumberText(std::string_view text) {
  bool seenPoint = false;
  bool seenExponent = false;
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (IsAsciiDigit(c)) continue;
    if (c == '-' && (pos == 0 || text[pos - 1] == 'e')) continue;
    if (c == '.' && !seenPoint && !seenExponent) {
      seenPoint = true;
      continue;
    }
    if (c == 'e' && pos != 0) {
      seenExponent = true;
      continue;
    }
    return false;
  }
  return true;
}

long long ExponentValue(std::string_view text) {
  std::size_t pos = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++pos;
  long long value = 0;
  for (; pos < text.size() && IsAsciiDigit(text[pos]); ++pos) {
    value = std::min(value * 10 + (text[pos] - '0'), kExponentCap);
  }
  return negative ? -value : value;
}

// Decimal exponent of a number text whose digits are not all zero: its value
// lies in [10^(order-1), 10^order).
long long DecimalOrder(std::string_view number) {
  long long order = 0;
  bool significant = false;
  bool afterPoint = false;
  std::size_t pos = 0;
  for (; pos < number.size(); ++pos) {
    const char c = number[pos];
    if (c == '.') {
      afterPoint = true;
    } else if (!IsAsciiDigit(c)) {
      break;
    } else if (c != '0' || significant) {
      significant = true;
      if (!afterPoint) ++order;
    } else if (afterPoint) {
      --order;
    }
  }
  if (pos < number.size()) order += ExponentValue(number.substr(pos + 1));
  return order;
}

// The x87 unit rounds to 64 bits unless told otherwise, and the 32-bit library's from_chars
// multiplies on it: the product is rounded twice and can land one unit in the last place off.
// For as long as this lives the x87 rounds to a double's 53 bits, so every build reads alike.
class DoublePrecisionX87 {
 public:
#if defined(__i386__)
  DoublePrecisionX87() {
    __asm__ volatile("fnstcw %0" : "=m"(m_saved));
    const std::uint16_t doublePrecision = (m_saved & ~kPrecisionMask) | kDoublePrecision;
    __asm__ volatile("fldcw %0" : : "m"(doublePrecision));
  }
  ~DoublePrecisionX87() {
    __asm__ volatile("fldcw %0" : : "m"(m_saved));
  }

 private:
  static constexpr std::uint16_t kPrecisionMask = 0x0300;
  static constexpr std::uint16_t kDoublePrecision = 0x0200;
  std::uint16_t m_saved = 0;

 public:
#else
  // Elsewhere doubles are computed in SSE registers, rounded once.
  DoublePrecisionX87() {}
  ~DoublePrecisionX87() {}
#endif
  DoublePrecisionX87(const DoublePrecisionX87&) = delete;
  DoublePrecisionX87& operator=(const DoublePrecisionX87&) = delete;
};

// from_chars leaves the value alone when it is out of range; the text then
// tells an overflow from an underflow, as strtod would decide.
double OutOfRangeMagnitude(std::string_view number) {
  return DecimalOrder(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

}  // namespace

bool FormatNumber(double value, char* buffer, std::size_t capacity) {
  if (std::isnan(value)) return false;
  DecimalDigits kept;
  ToDecimalDigits(kept, std::fabs(value));
  KeepDecimalPlaces(kept);
  const bool negative = value < 0.0;
  const std::size_t length = TextLength(kept, negative);
  if (capacity < RequiredCapacity(kept, length)) return false;
  WriteText(kept, negative, buffer);
  return true;
}

NumberReading ReadNumberText(std::string_view text) {
  text = text.substr(0, kFieldReadLimit);
  if (!IsAcceptedNumberText(text)) return {false, 0.0};
  return {true, ParseNumberPrefix(text)};
}

// from_chars never looks at the locale, unlike strtod and atof.
double ParseNumberPrefix(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsCSpace(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // from_chars would take a second '-' as the sign.
  if (pos == text.size() || text[pos] == '-' || text[pos] == '+') return 0.0;

  const char* first = text.data() + pos;
  const char* last = text.data() + text.size();
  double magnitude = 0.0;
  std::from_chars_result read;
  {
    const DoublePrecisionX87 doublePrecision;
    read = std::from_chars(first, last, magnitude, std::chars_format::general);
  }
  if (read.ec == std::errc::invalid_argument) return 0.0;
  if (read.ec == std::errc::result_out_of_range) {
    magnitude =
        OutOfRangeMagnitude(std::string_view(first, static_cast<std::size_t>(read.ptr - first)));
  }
  return negative ? -magnitude : magnitude;
}
