// SPDX-License-Identifier: MIT
// Number <-> text conversions for everything the window shows or reads.
// Texts are UTF-8. Rounding is half away from zero on the exact decimal value
// of the double (2.675 is stored just below 2.675 and shows as 2.67).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace idrova {

// Raised by StrToFloat for text that is not a plain decimal number.
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(std::string text);
  // The text that could not be read, as given.
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// Reads a plain decimal number: optional blanks around it, an optional sign,
// digits with at most one '.', at least one digit, an optional exponent
// ("e" or "E", optional sign, digits). Full-width digits, signs and point
// (what a Japanese input method types) read as their ASCII forms, and an
// ideographic space as a blank. Anything else - empty text, letters,
// "nan", "inf", a comma, hexadecimal, a value beyond the double range -
// raises ConversionError. A value too small for a double reads as zero.
double StrToFloat(std::string_view original);

// Formats with a picture such as "###0.##", "(min ###0.##)" or "φ##0.##":
// '0' is a digit always shown, '#' a digit shown when significant, '.' the
// decimal point; every other character is copied. No thousands grouping.
// Trailing zero decimals beyond the '0' places, and a bare point, are
// dropped. A minus sign stands right before the first digit; a value that
// rounds to zero shows no sign. Non-finite values give "NAN", "INF", "-INF"
// in place of the digits.
std::string FormatFloat(std::string_view picture, double value);

// General format: at most 15 significant digits, trailing zeros dropped,
// plain notation for decimal exponents -5..14, otherwise "1.5E20" style.
std::string FloatToStr(double value);

std::string IntToStr(std::int64_t value);

}  // namespace idrova
