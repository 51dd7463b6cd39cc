#include "convert/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Formats into exactly `capacity` chars plus a guard char, checking that a
// failure writes nothing and a success stays inside capacity.
std::optional<std::string> Format(double value, std::size_t capacity = kNumberTextCapacity) {
  std::vector<char> buffer(capacity + 1, 'x');
  const bool shown = FormatNumber(value, buffer.data(), capacity);
  if (!shown) {
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](char c) { return c == 'x'; }))
        << value << " not shown but written";
    return std::nullopt;
  }
  const auto end = std::find(buffer.begin(), buffer.end() - 1, '\0');
  EXPECT_NE(end, buffer.end() - 1) << value << " unterminated";
  EXPECT_EQ(buffer.back(), 'x') << value << " written past capacity";
  return std::string(buffer.begin(), end);
}

std::string Zeros(std::size_t count) {
  return std::string(count, '0');
}

// Same value and same sign of zero.
bool SameDouble(double a, double b) {
  return a == b && std::signbit(a) == std::signbit(b);
}

TEST(FormatNumberTest, ShowsEightDecimals) {
  struct Case {
    double value;
    std::string text;
  };
  // clang-format off
  const Case cases[] = {
      {1, "1.00000000"}, {1609, "1609.00000000"}, {0.5, "0.50000000"}, {-0.5, "-0.50000000"},
      {0.001, "0.00100000"}, {1 / 1.609, "0.62150404"}, {0, "0.00000000"}, {-0.0, "0.00000000"},
      {0.999999999, "1.00000000"}, {-0.999999999, "-1.00000000"}, {0.0999999999, "0.10000000"},
      {6e-9, "0.00000001"}, {5e-9, "0.00000001"}, {4e-9, "0.00000000"}, {-4e-9, "-0.00000000"},
      {33.8, "33.80000000"}, {274.15, "274.15000000"}, {3155760000, "3155760000.00000000"},
      {123456789012.345678, "123456789012.34567000"}, {1e-10, "0." + Zeros(9)},
      {-1e-10, "-0." + Zeros(9)}, {6e-10, "0." + Zeros(9)}, {kInf, "1.#INF0000"},
      {-kInf, "-1.#INF0000"}};
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(Format(c.value), c.text) << "value " << c.value;
  }
  EXPECT_EQ(Format(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
}

TEST(FormatNumberTest, NeedsExactCapacity) {
  struct Case {
    double value;
    std::size_t capacity;
    const char* why;
  };
  const Case cases[] = {{1, 12, "nine kept digits reserve a sign"},
                        {1609, 15, "twelve kept digits reserve a sign"},
                        {0.5, 11, "short minimum"},
                        {-0.5, 12, "short text and a sign"},
                        {1e-10, 12, "nine zeros"},
                        {-1.5e-20, 23, "nineteen zeros and a sign"}};
  for (const Case& c : cases) {
    const std::optional<std::string> roomy = Format(c.value, 400);
    ASSERT_TRUE(roomy) << c.why;
    EXPECT_EQ(Format(c.value, c.capacity), roomy) << c.why;
    EXPECT_EQ(Format(c.value, c.capacity - 1), std::nullopt) << c.why;
  }
}

TEST(FormatNumberTest, FullFieldLimitsMagnitude) {
  struct Case {
    double value;
    bool fits;
    const char* why;
  };
  // The 17-digit rounding decides the digit count: the double 1e29 shows as
  // 99999999999999991000000000000, its successor needs thirty digits.
  const double above1e29 = std::nextafter(1e29, kInf);
  const double above1e38th = std::nextafter(1e-38, kInf);
  const double below1e37th = std::nextafter(1e-37, 0.0);
  const Case cases[] = {
      {-1e29, true, "29 digits and a sign"},   {above1e29, false, "30 digits"},
      {below1e37th, true, "37 zeros"},         {-below1e37th, false, "37 zeros and a sign"},
      {above1e38th, true, "37 zeros"},         {1e-38, false, "1e-38 rounds below 1e-38: 38 zeros"},
      {-4.9e-324, false, "smallest subnormal"}};
  for (const Case& c : cases) {
    EXPECT_EQ(Format(c.value).has_value(), c.fits) << c.why;
  }
  EXPECT_EQ(Format(-1e29), "-99999999999999991" + Zeros(12) + ".00000000");
  EXPECT_EQ(Format(above1e38th), "0." + Zeros(37));
}

TEST(ReadNumberTextTest, AcceptsOnlyTypedNumberChars) {
  struct Case {
    const char* text;
    bool valid;
    double value;
  };
  const Case cases[] = {
      {"", true, 0},          {"-", true, 0},      {"12", true, 12},     {"-.5", true, -0.5},
      {"5.", true, 5},        {"1e", true, 1},     {"1e-2", true, 0.01}, {"-e5", true, 0},
      {"1e5e3", true, 1e5},   {"1ee-3", true, 1},  {"1e5e-", true, 1e5}, {"12abc", false, 0},
      {"+5", false, 0},       {"E5", false, 0},    {"1E5", false, 0},    {"e5", false, 0},
      {"1,5", false, 0},      {" 1", false, 0},    {"1-2", false, 0},    {"--1", false, 0},
      {"1e--3", false, 0},    {"1.5.2", false, 0}, {"1e5.2", false, 0},  {"inf", false, 0},
      {"1\xc3\xa9", false, 0}};
  for (const Case& c : cases) {
    const NumberReading reading = ReadNumberText(c.text);
    EXPECT_EQ(reading.valid, c.valid) << '"' << c.text << '"';
    EXPECT_TRUE(SameDouble(reading.value, c.value)) << '"' << c.text << "\" read " << reading.value;
  }
}

TEST(ReadNumberTextTest, JudgesOnlyTheFirst38Chars) {
  for (std::size_t badPosition : {37, 38, 39, 40}) {
    std::string text(45, '1');
    text[badPosition - 1] = 'x';
    EXPECT_EQ(ReadNumberText(text).valid, badPosition > 38) << "bad char at " << badPosition;
  }
  const NumberReading reading = ReadNumberText("1" + Zeros(35) + "e51234567");
  EXPECT_TRUE(reading.valid);
  EXPECT_EQ(reading.value, 1e40) << "exponent not cut to e5";
}

TEST(ParseNumberPrefixTest, ReadsLongestLeadingNumber) {
  struct Case {
    std::string text;
    double value;
  };
  // The last two are out of range against their exponent's sign.
  // clang-format off
  const Case cases[] = {
      {"1e5e3", 1e5}, {"1e", 1}, {"5.", 5}, {"-", 0}, {".", 0}, {"", 0}, {"-e5", 0}, {"--1", 0},
      {"1-2", 1}, {"-0", -0.0}, {"1.5e-3", 0.0015}, {"1e-310", 1e-310}, {"1e999", kInf},
      {"-1e999", -kInf}, {"1.7976931348623159e308", kInf}, {"1e99999999999999999999999", kInf},
      {"1e-999", 0.0}, {"-1e-999", -0.0}, {"100000e-329", 0.0}, {"0e99999", 0.0},
      {" \t1.5", 1.5}, {"+2", 2}, {"1E3", 1000},
      {"1" + Zeros(400) + "e-90", kInf}, {"0." + Zeros(400) + "1e70", 0.0}};
  // clang-format on
  for (const Case& c : cases) {
    const double value = ParseNumberPrefix(c.text);
    EXPECT_TRUE(SameDouble(value, c.value))
        << '"' << c.text << "\" read " << value << ", expected " << c.value;
  }
}

// glibc's strtod rounds correctly; other C runtimes need not.
TEST(ParseNumberPrefixTest, MatchesGlibcStrtod) {
#ifndef __GLIBC__
  GTEST_SKIP() << "strtod is only a reference under glibc";
#endif
  // Halfway and boundary cases, then random texts.
  std::vector<std::string> texts = {"9007199254740993",
                                    "9007199254740992.5000001",
                                    "2.2250738585072011e-308",
                                    "2.4703282292062327e-324",
                                    "2.4703282292062328e-324",
                                    "1.7976931348623158e308",
                                    "0.1000000000000000055511151231257827021181583404541015625"};
  std::mt19937 random(20240607);
  const std::string alphabet = "0123456789012345678901234567890123-.e";
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<std::size_t> length(0, 40);
  while (texts.size() < 50000) {
    std::string& text = texts.emplace_back(length(random), ' ');
    for (char& c : text) c = alphabet[pick(random)];
  }
  for (const std::string& text : texts) {
    const double expected = std::strtod(text.c_str(), nullptr);
    const double value = ParseNumberPrefix(text);
    ASSERT_TRUE(SameDouble(value, expected))
        << '"' << text << "\" read " << value << ", strtod " << expected;
  }
}

TEST(NumberTextTest, ShownTextReadsBackToItself) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-8, 28);
  for (int n = 0; n < 20000; ++n) {
    const double value = mantissa(random) * std::pow(10.0, exponent(random));
    const std::optional<std::string> text = Format(value);
    ASSERT_TRUE(text) << value;
    // Numbers shown as zero read back as a plain zero.
    if (text->find_first_of("123456789") == std::string::npos) continue;
    const NumberReading reading = ReadNumberText(*text);
    ASSERT_TRUE(reading.valid) << *text;
    EXPECT_EQ(Format(reading.value), text) << "from " << value;
  }
}

// Puts the process in a decimal-comma locale for one test.
#ifdef _WIN32
constexpr char kGermanLocale[] = "German_Germany.1252";
#else
constexpr char kGermanLocale[] = "de_DE.UTF-8";
#endif

class GermanLocale {
 public:
  GermanLocale() : m_set(std::setlocale(LC_ALL, kGermanLocale) != nullptr) {}
  ~GermanLocale() { std::setlocale(LC_ALL, "C"); }
  bool IsSet() const { return m_set; }

 private:
  bool m_set;
};

TEST(NumberTextTest, IgnoresProcessLocale) {
  GermanLocale german;
  ASSERT_TRUE(german.IsSet()) << "locale " << kGermanLocale << " is missing (scripts/setup makes it)";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  const NumberReading reading = ReadNumberText("1.5");
  EXPECT_TRUE(reading.valid);
  EXPECT_EQ(reading.value, 1.5);
  EXPECT_EQ(ParseNumberPrefix("1,5"), 1);
  EXPECT_EQ(Format(1.5), "1.50000000");
}

}  // namespace
