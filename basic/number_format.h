#pragma once

#include <string>

namespace orvano::basic {

// A finite floating value with at most `significant_digits` significant digits, as
// BASIC lists it: "0" for 0; fixed notation for decimal exponents from -5 up
// to one below the digit count, scientific ("1.5E-7", "1E10") otherwise;
// no trailing zeros, no "+", and "." as the point whatever the locale.
//
// The digits are rounded from the exact binary value, and an exact tie is
// rounded away from zero: 16777205 with 7 digits gives 1.677721E7.
std::string GeneralFormat(double value, int significant_digits);

// A single-precision constant: 7 digits, and "!" when the value is whole
// (0 included), so that the listing reads back as the same constant.
std::string SingleConstantText(double value);

// A double-precision constant: 15 digits, never a suffix.
std::string DoubleConstantText(double value);

}  // namespace orvano::basic
