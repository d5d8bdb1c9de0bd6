// SPDX-License-Identifier: MIT
// libFuzzer target for the number texts: StrToFloat reads exactly the plain
// decimal numbers, and every picture of the window and the general format
// give texts that read back to the value rounded as promised.
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

#include "text/number_text.h"

namespace {

using idrova::ConversionError;
using idrova::FloatToStr;
using idrova::FormatFloat;
using idrova::StrToFloat;

// Stops the run; libFuzzer reports it and saves the input as a crash file.
[[noreturn]] void Fail(const char* what, std::string_view text) {
  std::fprintf(stderr, "number_text_fuzz: %s: \"%.*s\"\n", what, static_cast<int>(text.size()),
               text.data());
  std::abort();
}

// What a second, independent reading says about a text.
struct Reading {
  bool plain = false;        // a plain decimal number
  bool zero = true;          // all its digits are zeros
  long leadingExponent = 0;  // decimal exponent of its first non-zero digit
};

// A state machine over the characters, one state per part of the number.
Reading ReadPlainDecimal(std::string_view text) {
  enum class State { Lead, Sign, Integer, Point, LonePoint, Fraction, E, ESign, EDigits, Trail };
  State state = State::Lead;
  bool accepting = false;  // whether the text may end in the current state
  long integerDigits = 0;
  long digitIndex = 0;  // of the mantissa digits, integer and fraction together
  long firstNonZero = -1;
  long exponent = 0;  // saturated: far beyond any double exponent
  bool exponentNegative = false;
  Reading reading;

  for (const char c : text) {
    const bool blank = c == ' ' || c == '\t';
    const bool digit = c >= '0' && c <= '9';
    const bool sign = c == '+' || c == '-';
    const bool e = c == 'e' || c == 'E';
    if (blank && (state == State::Lead || state == State::Trail)) continue;
    if (blank && accepting) {
      state = State::Trail;
      continue;
    }
    if (state == State::Trail) return reading;

    if (digit && state == State::E) state = State::EDigits;
    if (digit && state == State::ESign) state = State::EDigits;
    if (digit && state == State::EDigits) {
      exponent = std::min(exponent * 10 + (c - '0'), 1'000'000L);
      accepting = true;
      continue;
    }
    if (digit) {
      if (state == State::Lead || state == State::Sign) state = State::Integer;
      if (state == State::Point || state == State::LonePoint) state = State::Fraction;
      if (state != State::Integer && state != State::Fraction) return reading;
      if (state == State::Integer) ++integerDigits;
      if (c != '0' && firstNonZero < 0) firstNonZero = digitIndex;
      ++digitIndex;
      accepting = true;
      continue;
    }
    if (sign && state == State::Lead) {
      state = State::Sign;
    } else if (sign && state == State::E) {
      state = State::ESign;
      exponentNegative = c == '-';
    } else if (c == '.' && (state == State::Lead || state == State::Sign)) {
      state = State::LonePoint;
    } else if (c == '.' && state == State::Integer) {
      state = State::Point;
    } else if (e &&
               (state == State::Integer || state == State::Point || state == State::Fraction)) {
      state = State::E;
    } else {
      return reading;
    }
    accepting = state == State::Point;
  }

  reading.plain = accepting;
  reading.zero = firstNonZero < 0;
  reading.leadingExponent =
      integerDigits - 1 - firstNonZero + (exponentNegative ? -exponent : exponent);
  return reading;
}

// The text with what a Japanese input method types for a number in ASCII,
// decoded code point by code point: U+FF10..U+FF19 digits, U+FF0B plus,
// U+FF0D minus, U+FF0E point, U+3000 blank. Anything else is kept.
std::string HalfWidth(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if ((lead & 0xF0) == 0xE0 && i + 2 < text.size() &&
        (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80 &&
        (static_cast<unsigned char>(text[i + 2]) & 0xC0) == 0x80) {
      const unsigned point = (lead & 0x0Fu) << 12 |
                             (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6 |
                             (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
      const char* mapped = nullptr;
      static const char* const kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
      if (point >= 0xFF10 && point <= 0xFF19) mapped = kDigits[point - 0xFF10];
      if (point == 0xFF0B) mapped = "+";
      if (point == 0xFF0D) mapped = "-";
      if (point == 0xFF0E) mapped = ".";
      if (point == 0x3000) mapped = " ";
      if (mapped) {
        out += mapped;
        i += 3;
        continue;
      }
    }
    out += text[i++];
  }
  return out;
}

void CheckStrToFloat(std::string_view original) {
  const std::string ascii = HalfWidth(original);
  const std::string_view text = ascii;
  const Reading reading = ReadPlainDecimal(text);
  // Largest decimal exponent of a first digit that always fits a double
  // (9.99e307), and the smallest that never does (1e309).
  constexpr long kAlwaysFits = 307;
  constexpr long kNeverFits = 309;
  const bool fits = reading.zero || reading.leadingExponent <= kAlwaysFits;
  const bool overflows = !reading.zero && reading.leadingExponent >= kNeverFits;

  double value = 0.0;
  try {
    value = StrToFloat(original);
  } catch (const ConversionError& error) {
    if (error.Text() != original) Fail("error quotes another text", original);
    if (reading.plain && fits) Fail("plain decimal number rejected", text);
    return;
  }
  if (!reading.plain) Fail("accepted a text that is not a plain decimal number", text);
  if (overflows) Fail("accepted a number beyond the double range", text);
  if (!std::isfinite(value)) Fail("accepted text reads as a non-finite value", text);
  // Well inside the normal range every correct reader gives the same double.
  if (!reading.zero && std::labs(reading.leadingExponent) <= 300 &&
      value != std::strtod(std::string(text).c_str(), nullptr)) {
    Fail("value is not the double nearest to the text", text);
  }
}

// `value` (|value| < 1e15) rounded half away from zero at `decimals` places,
// as decimal text, worked out in integers from value = mantissa * 2^exponent.
std::string RoundedDecimal(double value, int decimals) {
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);
  std::uint64_t scaled = static_cast<std::uint64_t>(std::ldexp(fraction, 53));  // exact
  exponent -= 53;                                   // below -3, since |value| < 2^50
  for (int i = 0; i < decimals; ++i) scaled *= 10;  // below 2^53 * 1000 < 2^63
  const int shift = -exponent;
  std::uint64_t units = 0;
  if (shift < 64) {
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    units = (scaled >> shift) + ((scaled & (2 * half - 1)) >= half ? 1 : 0);
  }
  std::string digits = std::to_string(units);
  if (digits.size() <= static_cast<std::size_t>(decimals)) {
    digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
  }
  digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
  return (std::signbit(value) && units != 0 ? "-" : "") + digits;
}

struct PictureCase {
  std::string_view picture;
  std::string_view prefix;
  std::string_view suffix;
  int decimals;
};

// The pictures the window uses.
constexpr PictureCase kPictures[] = {
    {"###0.##", "", "", 2},  {"(min ###0.##)", "(min ", ")", 2},
    {"###0.###", "", "", 3}, {"##0.###", "", "", 3},
    {"φ##0.##", "φ", "", 2}, {"###0.#", "", "", 1},
};

// Shape of a finite number part: optional '-', integer digits without a
// leading zero, then at most `decimals` decimals without a trailing zero.
bool IsPictureNumber(std::string_view number, int decimals) {
  if (!number.empty() && number[0] == '-') number.remove_prefix(1);
  const std::size_t point = number.find('.');
  const std::string_view integer = number.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
  const auto allDigits = [](std::string_view s) {
    return s.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (integer.empty() || !allDigits(integer) || (integer.size() > 1 && integer[0] == '0')) {
    return false;
  }
  if (point == std::string_view::npos) return true;
  return !fraction.empty() && fraction.size() <= static_cast<std::size_t>(decimals) &&
         allDigits(fraction) && fraction.back() != '0';
}

void CheckPicture(const PictureCase& c, double value) {
  const std::string text = FormatFloat(c.picture, value);
  std::string_view number = text;
  if (!number.starts_with(c.prefix) || !number.ends_with(c.suffix)) {
    Fail("picture text lost its prefix or suffix", text);
  }
  number.remove_prefix(c.prefix.size());
  number.remove_suffix(c.suffix.size());
  if (!std::isfinite(value)) {
    const char* expected = std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF";
    if (number != expected) Fail("wrong text for a non-finite value", text);
    return;
  }
  if (!IsPictureNumber(number, c.decimals)) Fail("picture number malformed", text);

  double readBack = 0.0;
  try {
    readBack = StrToFloat(number);
  } catch (const ConversionError&) {
    Fail("picture number does not read back", text);
  }
  if (readBack == 0.0 && number[0] == '-') Fail("zero shown with a sign", text);
  const double step = std::pow(10.0, -c.decimals);
  const double ulp = std::nextafter(std::fabs(value), HUGE_VAL) - std::fabs(value);
  if (!(std::fabs(readBack - value) <= 0.5 * step * (1.0 + 1e-12) + ulp)) {
    Fail("picture number too far from the value", text);
  }
  if (std::fabs(value) < 1e15) {
    const std::string expected = RoundedDecimal(value, c.decimals);
    if (readBack != std::strtod(expected.c_str(), nullptr)) {
      std::fprintf(stderr, "expected %s for %.17g\n", expected.c_str(), value);
      Fail("picture number is not the value rounded half away from zero", text);
    }
  }
}

void CheckFloatToStr(double value) {
  const std::string text = FloatToStr(value);
  if (!std::isfinite(value)) return;
  // Fifteen digits round the few largest doubles up past the double range:
  // their text is rightly refused.
  char fifteenDigits[32];
  std::snprintf(fifteenDigits, sizeof fifteenDigits, "%.14e", std::fabs(value));
  const bool pastMax = std::isinf(std::strtod(fifteenDigits, nullptr));
  double readBack = 0.0;
  try {
    readBack = StrToFloat(text);
  } catch (const ConversionError&) {
    if (pastMax) return;
    Fail("general format does not read back", text);
  }
  if (pastMax) Fail("general format reads back beyond the double range", text);
  if (!(std::fabs(readBack - value) <= 1e-14 * std::fabs(value))) {
    Fail("general format too far from the value", text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckStrToFloat(text);

  if (size >= sizeof(double)) {
    double value = 0.0;
    std::memcpy(&value, data, sizeof value);
    for (const PictureCase& c : kPictures) CheckPicture(c, value);
    CheckFloatToStr(value);
  }
  return 0;
}
