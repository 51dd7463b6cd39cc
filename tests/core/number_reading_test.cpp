// Typed numbers read as the correctly rounded double on every build: the 32-bit one too, whose
// library multiplies on the x87 unit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "convert/number_text.h"

namespace {

// Just enough of an unsigned big integer to compare exact rational values.
class BigInt {
 public:
  explicit BigInt(std::uint64_t value) {
    for (; value; value >>= 32) m_limbs.push_back(static_cast<std::uint32_t>(value));
  }
  BigInt& Multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : m_limbs) {
      carry += std::uint64_t{limb} * factor;
      limb = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry) m_limbs.push_back(static_cast<std::uint32_t>(carry));
    return *this;
  }
  BigInt& TimesPowerOf(std::uint32_t base, int exponent) {
    for (; exponent > 0; --exponent) Multiply(base);
    return *this;
  }
  friend int Compare(const BigInt& a, const BigInt& b) {
    if (a.m_limbs.size() != b.m_limbs.size()) return a.m_limbs.size() < b.m_limbs.size() ? -1 : 1;
    for (std::size_t i = a.m_limbs.size(); i-- > 0;) {
      if (a.m_limbs[i] != b.m_limbs[i]) return a.m_limbs[i] < b.m_limbs[i] ? -1 : 1;
    }
    return 0;
  }

 private:
  std::vector<std::uint32_t> m_limbs;  // least significant first
};

// Whether r is the double nearest to digits x 10^exponent (ties to the even one), decided with
// exact integers: the value must lie between the midpoints to r's neighbours.
bool IsCorrectlyRounded(double r, std::uint64_t digits, int exponent) {
  if (!(r > 0) || std::isinf(r)) return false;
  int binaryExponent = 0;
  const double fraction = std::frexp(r, &binaryExponent);  // r = fraction * 2^binaryExponent
  const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int q = binaryExponent - 53;  // r = m * 2^q, m has 53 bits (normal doubles only)
  // In quarters of 2^q: the midpoints are 4m - 2 (4m - 1 below a power of two) and 4m + 2.
  const std::uint64_t lowQuarters = m == (std::uint64_t{1} << 52) ? 4 * m - 1 : 4 * m - 2;
  const std::uint64_t highQuarters = 4 * m + 2;
  // value * 4 * 2^-q * 10^-exponent against the quarters, all made whole numbers.
  const auto scaled = [&](std::uint64_t n, bool isValue) {
    BigInt big(n);
    if (isValue) {
      big.TimesPowerOf(10, std::max(exponent, 0)).TimesPowerOf(2, std::max(2 - q, 0));
    } else {
      big.TimesPowerOf(10, std::max(-exponent, 0)).TimesPowerOf(2, std::max(q - 2, 0));
    }
    return big;
  };
  const BigInt value = scaled(digits, true);
  const int low = Compare(value, scaled(lowQuarters, false));
  const int high = Compare(value, scaled(highQuarters, false));
  const bool even = m % 2 == 0;
  return (low > 0 || (low == 0 && even)) && (high < 0 || (high == 0 && even));
}

double Read(const std::string& text) {
  const NumberReading reading = ReadNumberText(text);
  EXPECT_TRUE(reading.valid) << text;
  return reading.value;
}

TEST(NumberReadingTest, TextsOnceReadOneUnitOffOn32BitBuilds) {
  struct Case {
    const char* text;
    double correct;
  };
  const Case cases[] = {
      {"6.88956162919e24", 0x1.6cbaf8983d979p+82},
      {"8391227162441e10", 0x1.1c4e4b33821b9p+76},
      {"3.939301857e28", 0x1.fd24909edf049p+94},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Read(c.text), c.correct) << c.text;
    EXPECT_EQ(ParseNumberPrefix(c.text), c.correct) << c.text;
  }
  // The reference itself: each is the nearest double to its text, its neighbours are not.
  EXPECT_TRUE(IsCorrectlyRounded(0x1.6cbaf8983d979p+82, 688956162919, 13));
  EXPECT_FALSE(IsCorrectlyRounded(0x1.6cbaf8983d97ap+82, 688956162919, 13));
  EXPECT_FALSE(IsCorrectlyRounded(0x1.6cbaf8983d978p+82, 688956162919, 13));
}

// Random digits with a point anywhere and an exponent, against the exact value of the text.
TEST(NumberReadingTest, RandomTextsWithExponentsReadCorrectlyRounded) {
  std::mt19937_64 rng(20261209);
  int wrong = 0;
  std::string firstWrong;
  for (int n = 0; n < 20000; ++n) {
    const int length = std::uniform_int_distribution<int>(1, 17)(rng);
    std::string digits = std::to_string(std::uniform_int_distribution<int>(1, 9)(rng));
    while (static_cast<int>(digits.size()) < length) {
      digits += static_cast<char>('0' + std::uniform_int_distribution<int>(0, 9)(rng));
    }
    const int exponent = std::uniform_int_distribution<int>(-40, 40)(rng);
    // The point after `whole` digits moves the written exponent by as much.
    const int whole = std::uniform_int_distribution<int>(0, length)(rng);
    const std::string text = digits.substr(0, whole) + "." + digits.substr(whole) + "e" +
                             std::to_string(exponent + length - whole);
    if (!IsCorrectlyRounded(Read(text), std::stoull(digits), exponent) && wrong++ == 0) {
      firstWrong = text;
    }
  }
  EXPECT_EQ(wrong, 0) << "of 20000 texts, the first \"" << firstWrong << "\"";
}

}  // namespace
