// SPDX-License-Identifier: MIT
// libFuzzer target for the number texts: StrToFloat reads exactly the plain
// decimal numbers, and every picture of the window and the general format
// give texts that read back to within half their last place of the value.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
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

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A plain decimal number read part by part: blanks, a sign, digits with at
// most one point (at least one digit), an exponent, blanks. Each part starts
// with characters the part before cannot take, so one pass decides.
Reading ReadPlainDecimal(std::string_view text) {
  std::size_t at = 0;
  const auto take = [&](std::string_view chars) {
    const bool taken = at < text.size() && chars.find(text[at]) != std::string_view::npos;
    at += taken ? 1 : 0;
    return taken;
  };
  const auto digitRun = [&] {
    const std::size_t from = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    return text.substr(from, at - from);
  };
  const auto blanks = [&] {
    while (take(" \t")) {
    }
  };

  Reading reading;
  blanks();
  take("+-");
  const std::string_view integer = digitRun();
  const std::string_view fraction = take(".") ? digitRun() : std::string_view();
  if (integer.empty() && fraction.empty()) return reading;
  long exponent = 0;  // saturated far beyond any double exponent
  if (take("eE")) {
    const bool negative = at < text.size() && text[at] == '-';
    take("+-");
    const std::string_view e = digitRun();
    if (e.empty()) return reading;
    for (const char c : e) exponent = std::min(exponent * 10 + (c - '0'), 1'000'000L);
    if (negative) exponent = -exponent;
  }
  blanks();
  if (at != text.size()) return reading;

  reading.plain = true;
  const std::size_t inInteger = integer.find_first_not_of('0');
  const std::size_t inFraction = fraction.find_first_not_of('0');
  reading.zero = inInteger == std::string_view::npos && inFraction == std::string_view::npos;
  if (reading.zero) return reading;
  // The first non-zero digit's place among the integer and fraction digits.
  const std::size_t first =
      inInteger != std::string_view::npos ? inInteger : integer.size() + inFraction;
  reading.leadingExponent =
      static_cast<long>(integer.size()) - 1 - static_cast<long>(first) + exponent;
  return reading;
}

// The text with what a Japanese input method types for a number in ASCII,
// from the first character on: full-width digits, plus, minus and point, and
// the ideographic blank. Anything else is kept.
std::string HalfWidth(std::string_view text) {
  static constexpr std::pair<std::string_view, char> kWide[] = {
      {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'},    {"４", '4'},
      {"５", '5'}, {"６", '6'}, {"７", '7'}, {"８", '8'},    {"９", '9'},
      {"＋", '+'}, {"－", '-'}, {"．", '.'}, {"\u3000", ' '}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    // Each wide character takes three bytes, the first of them 0xE0..0xEF:
    // only there is the table worth searching.
    const bool lead = (static_cast<unsigned char>(text[i]) & 0xF0) == 0xE0;
    const std::string_view rest = text.substr(i);
    const auto* wide =
        !lead ? std::end(kWide)
              : std::find_if(std::begin(kWide), std::end(kWide),
                             [rest](const auto& w) { return rest.starts_with(w.first); });
    if (wide == std::end(kWide)) {
      out += text[i++];
    } else {
      out += wide->second;
      i += wide->first.size();
    }
  }
  return out;
}

std::optional<double> Read(std::string_view text) try {
  return StrToFloat(text);
} catch (const ConversionError&) {
  return std::nullopt;
}

void CheckStrToFloat(std::string_view original) {
  const std::string ascii = HalfWidth(original);
  const Reading reading = ReadPlainDecimal(ascii);
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
    if (reading.plain && fits) Fail("plain decimal number rejected", ascii);
    return;
  }
  if (!reading.plain) Fail("accepted a text that is not a plain decimal number", ascii);
  if (overflows) Fail("accepted a number beyond the double range", ascii);
  if (!std::isfinite(value)) Fail("accepted text reads as a non-finite value", ascii);
  // Well inside the normal range every correct reader gives the same double.
  if (!reading.zero && std::labs(reading.leadingExponent) <= 300 &&
      value != std::strtod(ascii.c_str(), nullptr))
    Fail("value is not the double nearest to the text", ascii);
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
  if (number.starts_with('-')) number.remove_prefix(1);
  const std::size_t point = std::min(number.find('.'), number.size());
  const std::string_view integer = number.substr(0, point);
  const auto allDigits = [](std::string_view s) {
    return std::all_of(s.begin(), s.end(), IsDigit);
  };
  if (integer.empty() || !allDigits(integer) || (integer.size() > 1 && integer[0] == '0'))
    return false;
  if (point == number.size()) return true;
  const std::string_view fraction = number.substr(point + 1);
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

  const std::optional<double> read = Read(number);
  if (!read) Fail("picture number does not read back", text);
  const double readBack = *read;
  if (readBack == 0.0 && number[0] == '-') Fail("zero shown with a sign", text);
  const double step = std::pow(10.0, -c.decimals);
  const double ulp = std::nextafter(std::fabs(value), HUGE_VAL) - std::fabs(value);
  if (!(std::fabs(readBack - value) <= 0.5 * step * (1.0 + 1e-12) + ulp)) {
    Fail("picture number too far from the value", text);
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
  const std::optional<double> readBack = Read(text);
  if (readBack && pastMax) Fail("general format reads back beyond the double range", text);
  if (!readBack && !pastMax) Fail("general format does not read back", text);
  if (readBack && !(std::fabs(*readBack - value) <= 1e-14 * std::fabs(value)))
    Fail("general format too far from the value", text);
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
