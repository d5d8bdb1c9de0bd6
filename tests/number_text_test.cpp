// SPDX-License-Identifier: MIT
// Tests of the number <-> text conversions: picture formats, general format, reading text.
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <random>
#include <string>
#include <tuple>

namespace idrova {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(FormatFloat, Pictures) {
  const std::tuple<const char*, const char*, double, const char*> rows[] = {
      {"exact_tie_away_from_zero", "###0.##", 0.125, "0.13"},
      {"stored_below_the_tie", "###0.##", 2.675, "2.67"},
      {"tiny_shows_zero", "###0.##", 0.004, "0"},
      {"tiny_negative_no_sign", "###0.##", -0.004, "0"},
      {"diameter_whole", "φ##0.##", 25.0, "φ25"},
      {"diameter_four_digits", "φ##0.##", 1234.5678, "φ1234.57"},
      {"infinity_keeps_literals", "(min ###0.##)", kInf, "(min INF)"},
      {"minus_infinity", "φ##0.##", -kInf, "φ-INF"},
  };
  for (const auto& [name, picture, value, text] : rows)
    EXPECT_EQ(FormatFloat(picture, value), text) << name;
  // Every integer digit of the stored value, not 1 and 300 zeros.
  const std::string huge = FormatFloat("###0.##", 1e300);
  EXPECT_EQ(huge.size(), 301u);
  EXPECT_EQ(huge.substr(0, 38), "10000000000000000525047602552044202487");
}

TEST(FloatToStr, FifteenDigitsPlainOrWithExponent) {
  const std::tuple<const char*, double, const char*> rows[] = {
      {"half", 238.5, "238.5"},
      {"teeth_times_pitch", 127 * 2.032, "258.064"},
      {"negative", -2.032, "-2.032"},
      {"largest_plain", 1e14, "100000000000000"},
      {"carry_to_1E15", 999999999999999.9, "1E15"},
      {"small", 0.000001, "1E-6"},
      {"large", 1.5e20, "1.5E20"},
      {"not_a_number", kNaN, "NAN"}};
  for (const auto& [name, value, text] : rows) EXPECT_EQ(FloatToStr(value), text) << name;
}

TEST(StrToFloat, ReadsPlainDecimalsAndRejectsTheRest) {
  const std::string zeros(3000, '0');
  const std::tuple<const char*, std::string, double> rows[] = {
      {"blanks_around", " 5 ", 5.0},
      {"plus_point", "+.5", 0.5},
      {"trailing_point", "5.", 5.0},
      {"exponent", "1.5E-7", 1.5e-7},
      {"underflow_is_zero", "1e-400", 0.0},
      {"long_digits", "1" + zeros + "e-3000", 1.0},
      {"long_zeros", "0." + zeros + "1e3001", 1.0},
      // What a Japanese input method types.
      {"full_width_digits", "１２３", 123.0},
      {"full_width_minus_point", "－１２．５", -12.5},
      {"full_width_plus", "＋７", 7.0},
      {"ideographic_spaces_around", "\u3000４\u3000", 4.0},
      {"mixed_widths", "1２.５e1", 125.0}};
  for (const auto& [name, text, value] : rows) EXPECT_EQ(StrToFloat(text), value) << name;
  for (const char* text : {"", "   ", "abc", "1,5", "nan", "inf", "1e400", "0x10", "1e", "--1",
                           "1.2.3", "1 000", ".", "１\u3000２", "１ｅ３", "１，５", "１e400"}) {
    EXPECT_THROW(StrToFloat(text), ConversionError) << "'" << text << "'";
  }
}

TEST(RoundTrip, HundredthsReadBackExactlyAndAnyValueToFifteenDigits) {
  std::mt19937_64 random(20240611);
  for (int i = 0; i < 5000; ++i) {
    const auto hundredths = static_cast<std::int64_t>(random() % 2'000'000'001) - 1'000'000'000;
    const double cents = static_cast<double>(hundredths) / 100.0;
    ASSERT_EQ(StrToFloat(FormatFloat("###0.##", cents)), cents) << cents;
    ASSERT_EQ(StrToFloat(FloatToStr(cents)), cents) << cents;
    const double any =
        std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 1900) - 1000);
    ASSERT_NEAR(StrToFloat(FloatToStr(any)), any, 1e-14 * any) << FloatToStr(any);
  }
}

}  // namespace
}  // namespace idrova
