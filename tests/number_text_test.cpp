// Tests of the number <-> text conversions: picture formats, general format, reading text.
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <string>

namespace idrova {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kMax = std::numeric_limits<double>::max();
const std::string kManyZeros(3000, '0');

// Rows are named in test names and failure messages.
template <typename Case>
std::string RowName(const testing::TestParamInfo<Case>& info) { return info.param.name; }

// ---- FormatFloat ----------------------------------------------------------------

struct FormatCase { const char* name; const char* picture; double value; const char* expected; };
void PrintTo(const FormatCase& row, std::ostream* out) { *out << row.name; }

const FormatCase kFormatRows[] = {
    {"BeltLength", "###0.##", 524.2859, "524.29"},
    {"WholeDropsPoint", "###0.##", 520.0, "520"},
    {"TrailingZeroDecimalDropped", "###0.##", 1234.5, "1234.5"},
    {"TinyShowsZero", "###0.##", 0.004, "0"},
    {"ExactTieRoundsAway", "###0.##", 0.125, "0.13"},
    {"NegativeExactTieRoundsAway", "###0.##", -0.125, "-0.13"},
    {"StoredBelowTieRoundsDown", "###0.##", 2.675, "2.67"},
    {"NegativeStoredBelowTie", "###0.##", -1.005, "-1"},
    {"StoredAboveTieRoundsUp", "###0.##", 0.005, "0.01"},
    {"CarryAddsIntegerDigit", "###0.##", 99.999, "100"},
    {"MinLength", "(min ###0.##)", 520.5551, "(min 520.56)"},
    {"DiameterOfWheel2", "φ##0.##", 50.929581789406512, "φ50.93"},
    {"DiameterWhole", "φ##0.##", 25.0, "φ25"},
    {"DiameterOneDecimal", "φ##0.##", 25.1, "φ25.1"},
    {"DiameterFourDigits", "φ##0.##", 1234.5678, "φ1234.57"},
    {"DiameterRoundsToOneDecimal", "φ##0.##", 509.2958178940651, "φ509.3"},
    {"NegativeSignAfterPrefix", "φ##0.##", -12.5, "φ-12.5"},
    {"ProposedLength", "###0.###", 524.2864, "524.286"},
    {"PitchHalf", "##0.###", 4.5, "4.5"},
    {"PitchInch", "##0.###", 2.032, "2.032"},
    {"PitchWhole", "##0.###", 8.0, "8"},
    {"SteppedNegative", "###0.#", -0.1, "-0.1"},
    {"SteppedStoredBelowTie", "###0.#", 70.05, "70"},
    {"NegativeRoundingToZeroHasNoSign", "###0.#", -0.04, "0"},
    {"NegativeZeroHasNoSign", "###0.##", -0.0, "0"},
    {"SubnormalShowsZero", "###0.##", -5e-324, "0"},
    {"PowerOfTwoExact", "###0.##", 0x1p100, "1267650600228229401496703205376"},
    {"NaN", "###0.##", kNan, "NAN"},
    {"InfinityKeepsLiterals", "(min ###0.##)", kInf, "(min INF)"},
    {"NegativeInfinity", "φ##0.##", -kInf, "φ-INF"},
    {"ZerosPadInteger", "0000", 42.0, "0042"},
    {"ZerosKeepDecimals", "0.00", 1.5, "1.50"},
    {"IntegerDigitsNeverCut", "00", 1234.0, "1234"},
    {"NoIntegerPlacesStillShowsDigits", ".##", 12.5, "12.5"},
    {"HashOnlyZeroIsEmpty", "#.##", 0.0, ""},
    {"HashOnlySignBeforePoint", "#.##", -0.5, "-.5"},
    {"InnerLiteralStaysAmongDigits", "0-00", 1234.0, "12-34"},
};

class FormatFloatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatFloatTest, GivesText) {
  EXPECT_EQ(FormatFloat(GetParam().picture, GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Pictures, FormatFloatTest, testing::ValuesIn(kFormatRows),
                         RowName<FormatCase>);

TEST(FormatFloatHuge, ShowsEveryIntegerDigitExactly) {
  EXPECT_EQ(FormatFloat("###0.##", kMax),
            "1797693134862315708145274237317043567980705675258449965989174768031572607800285387605"
            "8955863276687817154045895351438246423432132688946418276846754670353751698604991057655"
            "1282076245490090389328944075868508455133942304583236903222948165808559332123348274797"
            "826204144723168738177180919299881250404026184124858368");
  const std::string text = FormatFloat("###0.##", 1e300);
  EXPECT_EQ(text.size(), 301u);
  EXPECT_EQ(text.rfind("10000000000000000525047602552044202487", 0), 0u) << text;
}

// ---- FloatToStr and IntToStr ----------------------------------------------------

struct GeneralCase { const char* name; double value; const char* expected; };
void PrintTo(const GeneralCase& row, std::ostream* out) { *out << row.name; }

const GeneralCase kGeneralRows[] = {
    {"StandardLength", 560.0, "560"}, {"HalfLength", 238.5, "238.5"},
    {"InchPitch", 2.032, "2.032"}, {"Negative", -2.032, "-2.032"},
    {"ProductNoiseHidden", 3 * 22.225, "66.675"}, {"TeethTimesPitch", 127 * 2.032, "258.064"},
    {"TrailingIntegerZerosKept", 4400.0, "4400"}, {"SumOfTenths", 0.1 + 0.2, "0.3"},
    {"Zero", 0.0, "0"}, {"NegativeZero", -0.0, "0"},
    {"SmallPlain", 0.0001, "0.0001"}, {"SmallestPlain", 0.00001, "0.00001"},
    {"SmallScientific", 0.000001, "1E-6"}, {"NegativeExponent", 1.5e-7, "1.5E-7"},
    {"LargeScientific", 1.5e20, "1.5E20"}, {"LargestPlain", 1e14, "100000000000000"},
    {"SixteenIntegerDigits", 1e15, "1E15"},
    {"RoundingCarriesIntoExponent", 999999999999999.9, "1E15"},
    {"FifteenDigitsRounded", 123456789012345678.0, "1.23456789012346E17"},
    {"ExactTieRoundsAway", 123456789012344.5, "123456789012345"},
    {"NegativeExactTieRoundsAway", -123456789012344.5, "-123456789012345"},
    {"TwoThirdsRoundsUp", 2.0 / 3, "0.666666666666667"},
    {"Largest", kMax, "1.79769313486232E308"},
    {"SmallestSubnormal", 5e-324, "4.94065645841247E-324"},
    {"NaN", kNan, "NAN"}, {"Infinity", kInf, "INF"}, {"NegativeInfinity", -kInf, "-INF"},
};

class FloatToStrTest : public testing::TestWithParam<GeneralCase> {};

TEST_P(FloatToStrTest, GivesText) { EXPECT_EQ(FloatToStr(GetParam().value), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Values, FloatToStrTest, testing::ValuesIn(kGeneralRows),
                         RowName<GeneralCase>);

TEST(IntToStr, PlainDecimal) {
  EXPECT_EQ(IntToStr(0), "0");
  EXPECT_EQ(IntToStr(66), "66");
  EXPECT_EQ(IntToStr(-65), "-65");
  EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
}

// ---- StrToFloat -----------------------------------------------------------------

struct ReadCase { const char* name; std::string text; double expected = 0.0; };
void PrintTo(const ReadCase& row, std::ostream* out) { *out << row.name; }

// 1 + 2^-53 lies halfway between two doubles and goes to the even one (1.0).
const std::string kHalfwayAboveOne = "1.00000000000000011102230246251565404236316680908203125";

const ReadCase kReadRows[] = {
    {"Decimal", "524.29", 524.29}, {"BlanksAround", " \t12.5 \t", 12.5},
    {"PlusSign", "+3", 3.0}, {"MinusSign", "-0.1", -0.1},
    {"TrailingPoint", "5.", 5.0}, {"LeadingPoint", ".5", 0.5},
    {"Exponent", "1e3", 1000.0}, {"SignedExponent", "1.5E-7", 1.5e-7},
    {"PlusExponent", "2e+2", 200.0}, {"LeadingZeros", "007", 7.0},
    {"NegativeZero", "-0", -0.0}, {"ZeroHugeExponent", "0e99999", 0.0},
    {"Largest", "1.7976931348623157e308", kMax},
    {"UnderflowIsZero", "1e-400", 0.0}, {"UnderflowKeepsSign", "-1e-400", -0.0},
    {"LongDigitsScaledDown", "1" + kManyZeros + "e-3000", 1.0},
    {"LongZerosScaledUp", "0." + kManyZeros + "1e3001", 1.0},
    {"LongDigitsUnderflow", "1" + kManyZeros + "e-3400", 0.0},
    {"HalfwayToEven", kHalfwayAboveOne, 1.0},
    {"FarDigitBreaksTie", kHalfwayAboveOne + kManyZeros + "1", 1.0 + 0x1p-52},
};

const ReadCase kRejectRows[] = {
    {"Empty", ""}, {"Blanks", "   "}, {"Letters", "abc"}, {"Comma", "1,5"},
    {"InnerBlank", "1 000"}, {"Hex", "0x10"}, {"NaN", "nan"}, {"Inf", "inf"},
    {"Infinity", "-infinity"}, {"BareExponent", "1e"}, {"ExponentSignOnly", "1e+"},
    {"DoubleSign", "--1"}, {"TwoPoints", "1.2.3"}, {"PointOnly", "."}, {"SignOnly", "+"},
    {"ExponentOnly", "e5"}, {"Unit", "1.5 mm"}, {"Newline", "1\n"},
    {"Overflow", "1e400"}, {"NegativeOverflow", "-1e400"},
    {"LongDigitsOverflow", "0." + kManyZeros + "1e3400"},
    {"LongGarbage", std::string(5000, '9') + "x"},
};

class StrToFloatTest : public testing::TestWithParam<ReadCase> {};
class StrToFloatRejectTest : public testing::TestWithParam<ReadCase> {};

TEST_P(StrToFloatTest, ReadsValue) {
  const double value = StrToFloat(GetParam().text);
  EXPECT_EQ(value, GetParam().expected);
  EXPECT_EQ(std::signbit(value), std::signbit(GetParam().expected));
}

TEST_P(StrToFloatRejectTest, RaisesConversionErrorWithText) {
  try {
    StrToFloat(GetParam().text);
    ADD_FAILURE() << "accepted '" << GetParam().text << "'";
  } catch (const ConversionError& error) {
    EXPECT_EQ(error.Text(), GetParam().text);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToFloatTest, testing::ValuesIn(kReadRows), RowName<ReadCase>);
INSTANTIATE_TEST_SUITE_P(Texts, StrToFloatRejectTest, testing::ValuesIn(kRejectRows),
                         RowName<ReadCase>);

TEST(ConversionError, MessageQuotesText) {
  EXPECT_STREQ(ConversionError("abc").what(), "'abc' is not a valid number");
  EXPECT_STREQ(ConversionError("").what(), "'' is not a valid number");
  const ConversionError longText(std::string(500, '7'));
  EXPECT_LT(std::string(longText.what()).size(), 100u) << "a long text is shortened";
  EXPECT_EQ(longText.Text(), std::string(500, '7'));
}

// ---- Properties over many values ------------------------------------------------

// Any bit pattern with a binary exponent in [lowest, lowest + count).
double RandomMagnitude(std::mt19937_64& random, int lowest, int count) {
  const auto mantissa = static_cast<double>((random() >> 11) | (std::uint64_t{1} << 52));
  return std::ldexp(mantissa, lowest - 52 + static_cast<int>(random() % count));
}

// Hundredths of a magnitude in [2^-10, 2^40), rounded half away from zero,
// by integer arithmetic on its binary form: magnitude = mantissa / 2^shift.
std::uint64_t RoundedHundredths(double magnitude) {
  int exponent = 0;
  const double fraction = std::frexp(magnitude, &exponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int shift = 53 - exponent;
  return (100 * mantissa + (std::uint64_t{1} << (shift - 1))) >> shift;
}

TEST(RoundTrip, TwoDecimalPictureReadsBackAsRoundedValue) {
  std::mt19937_64 random(20240611);
  for (int i = 0; i < 6000; ++i) {
    double magnitude = 0;
    if (i % 3 == 0) {
      magnitude = RandomMagnitude(random, -10, 50);
    } else if (i % 3 == 1) {  // nearest double to a tie, on either side of it
      magnitude = static_cast<double>(2 * (random() % 1'000'000'000) + 1) / 200.0;
    } else {  // exact ties such as 7.125
      magnitude = static_cast<double>(random() % 1'000'000) + (2 * (random() % 4) + 1) / 8.0;
    }
    const double value = random() % 2 ? -magnitude : magnitude;
    const double rounded = static_cast<double>(RoundedHundredths(magnitude)) / 100.0;
    const std::string text = FormatFloat("###0.##", value);
    ASSERT_EQ(StrToFloat(text), value < 0 ? -rounded : rounded)
        << std::hexfloat << value << " gave " << text;
  }
}

TEST(RoundTrip, GeneralFormatKeepsFifteenDigits) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 6000; ++i) {
    const double magnitude = RandomMagnitude(random, -1020, 2040);
    const double value = random() % 2 ? -magnitude : magnitude;
    const std::string text = FloatToStr(value);
    ASSERT_NEAR(StrToFloat(text), value, 1e-14 * magnitude) << text;
    const std::string mantissa = text.substr(0, text.find('E'));
    std::size_t digits = 0;
    for (std::size_t k = mantissa.find_first_not_of("-0."); k < mantissa.size(); ++k) {
      digits += mantissa[k] != '.';
    }
    ASSERT_LE(digits, 15u) << text;
    if (mantissa.find('.') != std::string::npos) {
      ASSERT_NE(mantissa.back(), '0') << text;
    }
  }
}

}  // namespace
}  // namespace idrova
