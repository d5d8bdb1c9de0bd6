// SPDX-License-Identifier: MIT
// Number <-> text conversions, worked on the exact decimal expansion of each double.
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>
#include <utility>

namespace idrova {
namespace {

constexpr int kMantissaBits = std::numeric_limits<double>::digits;  // 53
// The smallest subnormal is 2^-1074: no double has more fractional bits.
constexpr int kMaxFractionBits = 1074;
// Longest fixed expansion: "0." and 1074 fractional digits for the smallest
// values; the largest values have 309 integer digits and no fraction.
constexpr std::size_t kMaxFixedChars = 2 + kMaxFractionBits;
constexpr int kGeneralDigits = 15;
constexpr int kPlainExponentMin = -5;
constexpr int kPlainExponentMax = 14;
// How much of an unreadable text the error message quotes.
constexpr std::size_t kQuotedTextMax = 40;

// The exact decimal value of a finite non-negative double: its digits without
// the point, of which the first intLength stand before it. There is always at
// least one integer digit ("0" below one). Digits past `size` are zeros.
struct Decimal {
  std::array<char, kMaxFixedChars> digits;
  std::size_t size = 0;
  std::size_t intLength = 0;

  char Digit(std::size_t index) const { return index < size ? digits[index] : '0'; }
};

Decimal ExactDecimal(double magnitude) {
  // magnitude = m * 2^exponent with 53-bit m in [0.5, 1), so it has at most
  // 53 - exponent binary fraction digits, and 2^-k needs exactly k decimals:
  // with that precision the fixed expansion is exact, not rounded.
  int exponent = 0;
  std::frexp(magnitude, &exponent);
  const int precision =
      magnitude == 0.0 ? 0 : std::clamp(kMantissaBits - exponent, 0, kMaxFractionBits);

  Decimal decimal;
  char* const begin = decimal.digits.data();
  const auto [end, error] = std::to_chars(begin, begin + decimal.digits.size(), magnitude,
                                          std::chars_format::fixed, precision);
  // The buffer holds the longest expansion; to_chars cannot fail here.
  (void)error;
  char* const point = std::find(begin, end, '.');
  decimal.intLength = static_cast<std::size_t>(point - begin);
  if (point != end) std::copy(point + 1, end, point);
  decimal.size = static_cast<std::size_t>(end - begin) - (point != end ? 1 : 0);
  return decimal;
}

// Keeps the first `keep` digits (keep >= 1), rounding half away from zero:
// since the digits are exact, the first dropped digit alone decides.
void RoundToLength(Decimal& decimal, std::size_t keep) {
  if (decimal.size <= keep) return;
  const bool roundUp = decimal.digits[keep] >= '5';
  decimal.size = keep;
  if (!roundUp) return;
  std::size_t index = keep;
  while (index > 0 && decimal.digits[index - 1] == '9') decimal.digits[--index] = '0';
  if (index > 0) {
    ++decimal.digits[index - 1];
  } else {
    // 999 became 1000: one more integer digit.
    decimal.digits[0] = '1';
    decimal.digits[decimal.size++] = '0';
    ++decimal.intLength;
  }
}

const char* NonFiniteText(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

bool IsPlaceholder(char c) { return c == '0' || c == '#'; }

// A picture split into its parts. The number spans from the first to the last
// of '0', '#' and '.'; text before and after it is copied around the number.
// Other characters inside the span stay where they stand among the digits.
// A picture with none of the three shows only its own text.
struct Picture {
  std::string_view prefix;
  std::string_view integerPart;   // the span up to its first '.'
  std::string_view fractionPart;  // the span after its first '.'
  std::string_view suffix;
  std::size_t integerPlaces = 0;      // '0' and '#' before the point
  std::size_t minIntegerDigits = 0;   // places from the leftmost '0' to the point
  std::size_t fractionPlaces = 0;     // '0' and '#' after the point
  std::size_t minFractionDigits = 0;  // places from the point to the rightmost '0'
  bool hasNumber = false;
};

Picture ParsePicture(std::string_view text) {
  Picture picture;
  const std::size_t first = text.find_first_of("0#.");
  if (first == std::string_view::npos) {
    picture.prefix = text;
    return picture;
  }
  const std::size_t last = text.find_last_of("0#.");
  picture.hasNumber = true;
  picture.prefix = text.substr(0, first);
  picture.suffix = text.substr(last + 1);
  const std::string_view span = text.substr(first, last + 1 - first);
  const std::size_t point = span.find('.');
  picture.integerPart = span.substr(0, point);
  if (point != std::string_view::npos) picture.fractionPart = span.substr(point + 1);

  std::size_t leftmostZero = 0;  // place of the first '0', counted from 1 at the left
  for (const char c : picture.integerPart) {
    if (IsPlaceholder(c)) ++picture.integerPlaces;
    if (c == '0' && leftmostZero == 0) leftmostZero = picture.integerPlaces;
  }
  if (leftmostZero > 0) picture.minIntegerDigits = picture.integerPlaces - leftmostZero + 1;
  for (const char c : picture.fractionPart) {
    if (IsPlaceholder(c)) ++picture.fractionPlaces;
    if (c == '0') picture.minFractionDigits = picture.fractionPlaces;
  }
  return picture;
}

// Builds the number of a picture: the minus sign goes right before the first
// digit (or the point, when no integer digit is shown).
class NumberWriter {
 public:
  NumberWriter(std::string& out, bool negative) : out_(out), signPending_(negative) {}

  void Literal(char c) { out_ += c; }
  void Digit(char c) {
    if (signPending_) {
      out_ += '-';
      signPending_ = false;
    }
    out_ += c;
  }

 private:
  std::string& out_;
  bool signPending_;
};

}  // namespace

ConversionError::ConversionError(std::string text)
    : std::runtime_error([&text] {
        std::size_t length = text.size();
        std::string ellipsis;
        if (length > kQuotedTextMax) {
          length = kQuotedTextMax;
          // Do not cut a UTF-8 sequence: back up to the start of a character.
          while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
            --length;
          }
          ellipsis = "...";
        }
        std::string message = "'";
        message.append(text, 0, length).append(ellipsis).append("' is not a valid number");
        return message;
      }()),
      text_(std::move(text)) {}

namespace {

// What a Japanese input method types for a number, in ASCII: the full-width
// digits, plus and minus signs and full stop (U+FF10..U+FF19, U+FF0B,
// U+FF0D, U+FF0E), and the ideographic space (U+3000) as a blank. Every
// other character is kept as it is; empty when there is nothing to change.
std::string AsciiNumberText(std::string_view text) {
  std::string ascii;
  bool changed = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    if (i + 2 < text.size() && byte(0) == 0xEF && byte(1) == 0xBC) {
      const unsigned char last = byte(2);
      char replacement = 0;
      if (last >= 0x90 && last <= 0x99) replacement = static_cast<char>('0' + (last - 0x90));
      if (last == 0x8B) replacement = '+';
      if (last == 0x8D) replacement = '-';
      if (last == 0x8E) replacement = '.';
      if (replacement != 0) {
        ascii += replacement;
        i += 2;
        changed = true;
        continue;
      }
    }
    if (i + 2 < text.size() && byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) {
      ascii += ' ';
      i += 2;
      changed = true;
      continue;
    }
    ascii += text[i];
  }
  return changed ? ascii : std::string();
}

}  // namespace

double StrToFloat(std::string_view original) {
  const auto fail = [original] { return ConversionError(std::string(original)); };
  const std::string ascii = AsciiNumberText(original);
  const std::string_view text = ascii.empty() ? original : std::string_view(ascii);
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };

  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;

  std::size_t at = begin;
  bool negative = false;
  if (at < end && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  const std::size_t unsignedBegin = at;

  // Track the decimal exponent of the leading non-zero digit, to tell an
  // overflow from an underflow when the value does not fit a double.
  std::int64_t mantissaDigits = 0;
  std::int64_t significantIntegerDigits = 0;
  bool seenNonZero = false;
  while (at < end && isDigit(text[at])) {
    if (text[at] != '0') seenNonZero = true;
    if (seenNonZero) ++significantIntegerDigits;
    ++mantissaDigits;
    ++at;
  }
  std::int64_t leadingExponent = significantIntegerDigits - 1;
  if (at < end && text[at] == '.') {
    ++at;
    std::int64_t fractionIndex = 0;
    while (at < end && isDigit(text[at])) {
      ++fractionIndex;
      if (!seenNonZero && text[at] != '0') {
        seenNonZero = true;
        leadingExponent = -fractionIndex;
      }
      ++mantissaDigits;
      ++at;
    }
  }
  if (mantissaDigits == 0) throw fail();

  if (at < end && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    bool exponentNegative = false;
    if (at < end && (text[at] == '+' || text[at] == '-')) {
      exponentNegative = text[at] == '-';
      ++at;
    }
    constexpr std::int64_t kExponentCap = 1'000'000'000;
    std::int64_t exponent = 0;
    const std::size_t exponentBegin = at;
    while (at < end && isDigit(text[at])) {
      exponent = std::min(exponent * 10 + (text[at] - '0'), kExponentCap);
      ++at;
    }
    if (at == exponentBegin) throw fail();
    leadingExponent += exponentNegative ? -exponent : exponent;
  }
  if (at != end) throw fail();

  double magnitude = 0.0;
  const char* const first = text.data() + unsignedBegin;
  const char* const last = text.data() + end;
  const auto [stop, error] = std::from_chars(first, last, magnitude, std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    // Too large for a double is an error; too small reads as zero.
    if (leadingExponent > 0) throw fail();
    magnitude = 0.0;
  } else if (error != std::errc{} || stop != last) {
    throw fail();
  }
  return negative ? -magnitude : magnitude;
}

std::string FormatFloat(std::string_view pictureText, double value) {
  const Picture picture = ParsePicture(pictureText);
  std::string out(picture.prefix);
  if (!picture.hasNumber) return out;
  if (!std::isfinite(value)) {
    out += NonFiniteText(value);
    out += picture.suffix;
    return out;
  }

  Decimal decimal = ExactDecimal(std::fabs(value));
  RoundToLength(decimal, decimal.intLength + picture.fractionPlaces);

  // Significant integer digits, counted back from the point.
  std::size_t integerDigits = decimal.intLength;
  while (integerDigits > 0 && decimal.digits[decimal.intLength - integerDigits] == '0') {
    --integerDigits;
  }
  std::size_t fractionDigits = picture.fractionPlaces;
  while (fractionDigits > picture.minFractionDigits &&
         decimal.Digit(decimal.intLength + fractionDigits - 1) == '0') {
    --fractionDigits;
  }
  bool isZero = integerDigits == 0;
  for (std::size_t i = 0; i < fractionDigits && isZero; ++i) {
    isZero = decimal.Digit(decimal.intLength + i) == '0';
  }

  out.reserve(pictureText.size() + integerDigits + fractionDigits + 2);
  NumberWriter writer(out, std::signbit(value) && !isZero);
  const std::size_t shownDigits = std::max(integerDigits, picture.minIntegerDigits);
  // The digit at `position` places before the point (1 = units).
  const auto integerDigit = [&decimal](std::size_t position) {
    return position <= decimal.intLength ? decimal.digits[decimal.intLength - position] : '0';
  };
  const auto writeDigitsFrom = [&](std::size_t highest, std::size_t lowest) {
    for (std::size_t position = highest; position >= lowest && position > 0; --position) {
      writer.Digit(integerDigit(position));
    }
  };

  if (picture.integerPlaces == 0) writeDigitsFrom(shownDigits, 1);
  std::size_t position = picture.integerPlaces;
  bool leftmost = true;
  for (const char c : picture.integerPart) {
    if (!IsPlaceholder(c)) {
      writer.Literal(c);
      continue;
    }
    // The leftmost place takes every digit beyond the picture's places.
    if (leftmost) {
      writeDigitsFrom(shownDigits, position);
      leftmost = false;
    } else if (position <= shownDigits) {
      writer.Digit(integerDigit(position));
    }
    --position;
  }

  if (fractionDigits > 0) writer.Digit('.');
  std::size_t place = 0;
  for (const char c : picture.fractionPart) {
    if (!IsPlaceholder(c)) {
      writer.Literal(c);
      continue;
    }
    if (place < fractionDigits) writer.Digit(decimal.Digit(decimal.intLength + place));
    ++place;
  }
  out += picture.suffix;
  return out;
}

std::string FloatToStr(double value) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  if (value == 0.0) return "0";

  Decimal decimal = ExactDecimal(std::fabs(value));
  const auto firstNonZero = [&decimal] {
    std::size_t index = 0;
    while (decimal.digits[index] == '0') ++index;
    return index;
  };
  RoundToLength(decimal, firstNonZero() + kGeneralDigits);
  const std::size_t first = firstNonZero();  // a carry may have moved it
  std::size_t last = decimal.size - 1;
  while (decimal.digits[last] == '0') --last;
  const int exponent = static_cast<int>(decimal.intLength) - static_cast<int>(first) - 1;

  std::string out;
  if (value < 0) out += '-';
  if (exponent >= kPlainExponentMin && exponent <= kPlainExponentMax) {
    const std::size_t integerBegin = std::min(first, decimal.intLength - 1);
    for (std::size_t i = integerBegin; i < decimal.intLength; ++i) out += decimal.Digit(i);
    if (last >= decimal.intLength) {
      out += '.';
      out.append(decimal.digits.data() + decimal.intLength, last + 1 - decimal.intLength);
    }
  } else {
    out += decimal.digits[first];
    if (last > first) {
      out += '.';
      out.append(decimal.digits.data() + first + 1, last - first);
    }
    out += 'E';
    out += IntToStr(exponent);
  }
  return out;
}

std::string IntToStr(std::int64_t value) {
  std::array<char, 24> text;
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
  (void)error;  // 24 characters hold every 64-bit value
  return std::string(text.data(), end);
}

}  // namespace idrova
