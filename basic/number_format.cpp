#include "basic/number_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace orvano::basic {
namespace {

// The decimal digits of a positive value, d1 d2 ... with d1 not 0, and the
// power of ten of d1.
struct DecimalDigits {
  std::string digits;
  int exponent = 0;
};

// How many digits after the first one print a positive finite value exactly.
// The value is m × 2^q with m odd; for q < 0 it has exactly −q decimal places,
// and its integer part has at most its binary exponent × log10(2) + 1 digits.
// The bound may be a little high: the extra digits print as zeros.
int ExactPrecision(double value) {
  int binary_exponent = 0;
  const double fraction = std::frexp(value, &binary_exponent);  // value = fraction × 2^binary_exponent
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int places = std::max(0, 53 - binary_exponent - std::countr_zero(mantissa));
  const int integer_digits = binary_exponent > 0 ? binary_exponent * 30103 / 100000 + 1 : 0;
  return std::max(0, places + integer_digits - 1);
}

// The exact decimal expansion of a positive finite value.
DecimalDigits ExactDecimal(double value) {
  // Enough for every finite double: 1074 places below the smallest
  // subnormal's point and 309 digits above the largest value's.
  std::array<char, 1200> text{};
  // "d.ddde±xx", or "de±xx" when there is one digit only.
  const char* end = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::scientific,
                                  ExactPrecision(value))
                        .ptr;
  DecimalDigits decimal;
  const char* e = std::find(static_cast<const char*>(text.data()), end, 'e');
  for (const char* p = text.data(); p != e; ++p) {
    if (*p != '.') decimal.digits.push_back(*p);
  }
  const char* exponent_start = e + 1;
  if (*exponent_start == '+') ++exponent_start;
  std::from_chars(exponent_start, end, decimal.exponent);
  return decimal;
}

// Cuts to `count` digits, rounding half away from zero: the digit after the
// cut decides alone, since the digits are exact and any digit after a 5 only
// moves the value further from the tie.
void RoundTo(DecimalDigits& decimal, std::size_t count) {
  if (decimal.digits.size() <= count) return;
  const bool up = decimal.digits[count] >= '5';
  decimal.digits.resize(count);
  if (!up) return;
  for (std::size_t i = count; i-- > 0;) {
    if (decimal.digits[i] != '9') {
      ++decimal.digits[i];
      return;
    }
    decimal.digits[i] = '0';
  }
  // 9.99…9 rounded up becomes 10.00…0: one digit, one power of ten more.
  decimal.digits.insert(decimal.digits.begin(), '1');
  decimal.digits.pop_back();
  ++decimal.exponent;
}

void AppendInteger(std::string& text, int value) {
  std::array<char, 12> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
  text.append(digits.data(), result.ptr);
}

}  // namespace

std::string GeneralFormat(double value, int significant_digits) {
  if (value == 0.0) return "0";
  DecimalDigits decimal = ExactDecimal(std::fabs(value));
  RoundTo(decimal, static_cast<std::size_t>(std::max(significant_digits, 1)));
  while (decimal.digits.size() > 1 && decimal.digits.back() == '0') decimal.digits.pop_back();

  std::string text = value < 0 ? "-" : "";
  const std::string& digits = decimal.digits;
  const int exponent = decimal.exponent;
  if (exponent >= -5 && exponent < significant_digits) {
    if (exponent >= 0) {
      const auto whole = static_cast<std::size_t>(exponent) + 1;
      text += digits.substr(0, whole);
      if (digits.size() < whole) text.append(whole - digits.size(), '0');
      if (digits.size() > whole) text += "." + digits.substr(whole);
    } else {
      text += "0.";
      text.append(static_cast<std::size_t>(-exponent - 1), '0');
      text += digits;
    }
  } else {
    text += digits.front();
    if (digits.size() > 1) text += "." + digits.substr(1);
    text += 'E';
    AppendInteger(text, exponent);
  }
  return text;
}

std::string SingleConstantText(double value) {
  std::string text = GeneralFormat(value, 7);
  if (std::trunc(value) == value) text += '!';
  return text;
}

std::string DoubleConstantText(double value) { return GeneralFormat(value, 15); }

}  // namespace orvano::basic
