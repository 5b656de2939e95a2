#pragma once

#include <cstdint>
#include <span>

namespace orvano::basic {

// Floating constants of a tokenised program are in Microsoft Binary Format,
// least significant byte first: the last byte is the exponent with bias 129
// (0 means the value 0), the top bit of the byte before it the sign, and the
// remaining bits the fraction below an implied leading 1.

// The value of a 4-byte constant, exactly. It is given as a double because
// the exponent bytes 1 and 2 lie below the normal range of an IEEE single,
// where a float would lose fraction bits (or, converted bit by bit, would not
// be a number at all). From exponent byte 3 up the value is the IEEE single
// with the same sign and fraction.
double MbfSingleToIeee(std::span<const std::uint8_t, 4> bytes);

// The value of an 8-byte constant as an IEEE double: the 52 most significant
// of its 55 fraction bits, the lowest 3 dropped without rounding.
double MbfDoubleToIeee(std::span<const std::uint8_t, 8> bytes);

}  // namespace orvano::basic
