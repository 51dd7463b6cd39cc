// Fuzzes the number text both ways. The whole input is text a user could type or paste: its reading
// is held to glibc's strtod and to the typing rules. Each of its first 8-byte chunks is also a
// double to show: its text is held to a slow reference that works on the exact decimal expansion,
// and must read back to a value that shows the same text.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "convert/number_text.h"

namespace {

constexpr int kDecimals = 8;
constexpr std::size_t kSignificantDigits = 17;
constexpr std::size_t kDoublesPerInput = 4;
constexpr char kGuard = '\x7f';

[[noreturn]] void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "number text fuzz: %s: %s\n", what, detail.c_str());
  std::abort();
}

std::string Describe(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.17g (%a)", value, value);
  return text;
}

// Same value, same sign of zero, or both NaN.
bool SameDouble(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b && std::signbit(a) == std::signbit(b);
}

// A natural number as decimal digits, least significant first.
using BigDecimal = std::vector<uint8_t>;

void Multiply(BigDecimal& number, uint32_t factor) {
  uint64_t carry = 0;
  for (uint8_t& digit : number) {
    carry += uint64_t{digit} * factor;
    digit = static_cast<uint8_t>(carry % 10);
    carry /= 10;
  }
  for (; carry != 0; carry /= 10) number.push_back(static_cast<uint8_t>(carry % 10));
}

void MultiplyByPower(BigDecimal& number, uint32_t base, int count, uint32_t chunkFactor,
                     int chunk) {
  for (; count >= chunk; count -= chunk) Multiply(number, chunkFactor);
  for (; count > 0; --count) Multiply(number, base);
}

// |value| = 0.digits x 10^exponent exactly, for a finite non-zero value; no leading or trailing
// zeros in digits. Every double is mantissa x 2^e, and 2^-k = 5^k / 10^k.
struct Decimal {
  std::string digits;
  int exponent;
};

Decimal ExactDecimal(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
  int binaryExponent = -1074;
  if (biased != 0) {
    mantissa |= uint64_t{1} << 52;
    binaryExponent = biased - 1075;
  }
  BigDecimal number;
  for (; mantissa != 0; mantissa /= 10) number.push_back(static_cast<uint8_t>(mantissa % 10));
  int pointShift = 0;  // decimal places of the exact value
  if (binaryExponent >= 0) {
    MultiplyByPower(number, 2, binaryExponent, uint32_t{1} << 30, 30);
  } else {
    MultiplyByPower(number, 5, -binaryExponent, 1220703125, 13);  // 5^13
    pointShift = -binaryExponent;
  }
  Decimal result;
  for (auto digit = number.rbegin(); digit != number.rend(); ++digit) {
    result.digits.push_back(static_cast<char>('0' + *digit));
  }
  result.exponent = static_cast<int>(result.digits.size()) - pointShift;
  result.digits.erase(result.digits.find_last_not_of('0') + 1);
  return result;
}

// Adds one to the last digit; false when it carries out of the first.
bool Increment(std::string& digits) {
  for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
    if (*digit != '9') {
      ++*digit;
      return true;
    }
    *digit = '0';
  }
  return false;
}

// Correctly rounded to 17 significant digits. An exact tie (2^-25 has 18 digits ending in 5) goes
// to the even digit, as IEEE round-to-nearest and glibc's printf do.
Decimal SignificantDigits(Decimal exact) {
  if (exact.digits.size() <= kSignificantDigits) return exact;
  const std::string rest = exact.digits.substr(kSignificantDigits);
  exact.digits.resize(kSignificantDigits);
  const bool tie = rest == "5";  // no trailing zeros are kept
  const bool odd = (exact.digits.back() - '0') % 2 == 1;
  if (rest[0] > '5' || (rest[0] == '5' && (!tie || odd))) {
    if (!Increment(exact.digits)) {
      exact.digits.insert(exact.digits.begin(), '1');
      exact.digits.pop_back();
      ++exact.exponent;
    }
  }
  return exact;
}

struct ReferenceText {
  std::string text;
  std::size_t capacity;  // the least capacity that shows it
};

// The shown text built step by step from the decimal digits: keep eight decimals rounding half up
// on the 17 digits, check the room, compose.
ReferenceText ShowReference(double value) {
  Decimal d;
  if (std::isinf(value)) {
    d = {"1#INF", 1};
  } else if (value == 0.0) {
    d = {"0", 0};
  } else {
    d = SignificantDigits(ExactDecimal(std::fabs(value)));
  }
  const int keep = d.exponent + kDecimals;
  std::string kept;
  if (keep > 0) {
    const std::size_t count = static_cast<std::size_t>(keep);
    kept = d.digits.substr(0, count);
    kept.resize(count, '0');
    if (d.digits.size() > count && d.digits[count] >= '5' && !Increment(kept)) {
      kept.insert(kept.begin(), '1');
      ++d.exponent;
    }
  } else if (keep == 0 && d.digits[0] >= '5') {
    kept = "1";
    ++d.exponent;
  }
  std::string text = value < 0 ? "-" : "";
  if (d.exponent > 0) {
    const std::size_t whole = static_cast<std::size_t>(d.exponent);
    text += kept.substr(0, whole) + "." + kept.substr(whole);
  } else {
    text += "0." + std::string(static_cast<std::size_t>(-d.exponent), '0') + kept;
  }
  const std::size_t room = kept.size() > kDecimals ? kept.size() + 3 : 11;
  return {text, std::max(room, text.size() + 1)};
}

// FormatNumber into exactly capacity chars followed by guard chars: it must succeed exactly when
// the reference fits, write the reference text, and write nothing when it fails.
void CheckFormatAt(double value, const ReferenceText& reference, std::size_t capacity) {
  std::vector<char> buffer(capacity + 8, kGuard);
  const bool shown = FormatNumber(value, buffer.data(), capacity);
  const std::string context = Describe(value) + " capacity " + std::to_string(capacity) +
                              ", reference \"" + reference.text + "\" needs " +
                              std::to_string(reference.capacity);
  if (shown != (capacity >= reference.capacity)) {
    Fail(shown ? "shown without room" : "not shown though it fits", context);
  }
  std::size_t untouchedFrom = 0;
  if (shown) {
    const auto end = std::find(buffer.begin(), buffer.begin() + capacity, '\0');
    if (end == buffer.begin() + capacity) Fail("unterminated", context);
    const std::string text(buffer.begin(), end);
    if (text != reference.text) Fail(("shows \"" + text + "\"").c_str(), context);
    untouchedFrom = capacity;
  }
  for (std::size_t pos = untouchedFrom; pos < buffer.size(); ++pos) {
    if (buffer[pos] != kGuard) Fail("wrote outside the text", context);
  }
}

std::string Show(double value) {
  char buffer[kNumberTextCapacity];
  return FormatNumber(value, buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

void CheckShown(double value) {
  if (std::isnan(value)) {
    // No capacity is enough.
    CheckFormatAt(value, {"", std::numeric_limits<std::size_t>::max()}, kNumberTextCapacity);
    return;
  }
  const ReferenceText reference = ShowReference(value);
  CheckFormatAt(value, reference, kNumberTextCapacity);
  CheckFormatAt(value, reference, reference.capacity);
  CheckFormatAt(value, reference, reference.capacity - 1);

  const std::string text = Show(value);
  if (text.size() >= kNumberTextCapacity) Fail("more than 39 characters", text);
  // An empty field is what a value too long to show gives; the infinities show texts that were
  // never meant to be typed back.
  if (text.empty() || text == "1.#INF0000" || text == "-1.#INF0000") return;
  // Read back as the field would read it: a text with a non-zero digit shows itself again; one
  // without ("-0.00000000", "0." and more zeros) reads as zero and shows "0.00000000".
  const NumberReading reading = ReadNumberText(text);
  if (!reading.valid) Fail("shown text not accepted", text);
  const bool hasNonZeroDigit = text.find_first_of("123456789") != std::string::npos;
  if (!hasNonZeroDigit && reading.value != 0.0) Fail("zero text reads non-zero", text);
  const std::string again = Show(reading.value);
  if (again != (hasNonZeroDigit ? text : "0.00000000")) {
    Fail("shown text reads back to a different text", text + " -> " + again);
  }
}

bool IsCSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The typing rules, letter by letter: a digit; "-" first or right after "e"; "." with no "." or
// "e" before it; "e" anywhere but first.
bool TypingRulesAccept(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    const std::string_view before = text.substr(0, pos);
    const char c = text[pos];
    const bool ok = (c >= '0' && c <= '9') || (c == '-' && (pos == 0 || before.back() == 'e')) ||
                    (c == '.' && before.find_first_of(".e") == std::string_view::npos) ||
                    (c == 'e' && pos != 0);
    if (!ok) return false;
  }
  return true;
}

// strtod would read "0x..." as a hexadecimal float, which the program reads as its leading zero.
// Answers the sign of that zero, or 0 when the text is not hexadecimal.
int HexadecimalSign(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && IsCSpace(text[pos])) ++pos;
  int sign = 1;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
    if (text[pos] == '-') sign = -1;
    ++pos;
  }
  const std::string_view rest = text.substr(pos);
  return rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X') ? sign : 0;
}

void CheckReading(std::string_view text, double& prefixValue, double& typedValue) {
  // The process stays in the "C" locale, where glibc's strtod rounds correctly.
  const std::string copy(text);
  const int hexSign = HexadecimalSign(text);
  const double expected =
      hexSign != 0 ? std::copysign(0.0, hexSign) : std::strtod(copy.c_str(), nullptr);
  prefixValue = ParseNumberPrefix(text);
  if (!SameDouble(prefixValue, expected)) {
    Fail("ParseNumberPrefix differs from strtod",
         "\"" + copy + "\": " + Describe(prefixValue) + ", expected " + Describe(expected));
  }

  const std::string typed(text.substr(0, kFieldReadLimit));
  const bool accepted = TypingRulesAccept(typed);
  const NumberReading reading = ReadNumberText(text);
  const double expectedTyped = accepted ? std::strtod(typed.c_str(), nullptr) : 0.0;
  if (reading.valid != accepted || !SameDouble(reading.value, expectedTyped)) {
    Fail("ReadNumberText", "\"" + typed + "\": valid " + std::to_string(reading.valid) + " " +
                               Describe(reading.value) + ", expected valid " +
                               std::to_string(accepted) + " " + Describe(expectedTyped));
  }
  typedValue = reading.value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  double prefixValue = 0;
  double typedValue = 0;
  CheckReading(text, prefixValue, typedValue);
  CheckShown(prefixValue);
  CheckShown(typedValue);
  for (std::size_t chunk = 0; chunk < kDoublesPerInput && (chunk + 1) * 8 <= size; ++chunk) {
    double value;
    std::memcpy(&value, data + chunk * 8, sizeof value);
    CheckShown(value);
  }
  return 0;
}
