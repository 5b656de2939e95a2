#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace orvano::basic {

// Floating constants of an MSX program are decimal: byte 0 holds the sign
// (bit 7) and a power of ten with bias 0x40, the bytes after it two digits
// each, high nibble first, with the point before the first digit. Byte 0
// equal to 0 means the value 0.

// The constant as LIST writes it. Four bytes are a single, eight a double;
// both are written from 14 digits (a single's last eight are zeros), so no
// digit is ever rounded. Fixed notation from .01 up to below 1E+14, without
// a leading zero; E notation outside that, with a sign and two exponent
// digits. A single gets "!" when the text has neither "." nor "E", a double
// "#" when it has no "E". A nibble above 9 prints as the character after
// "9" in ASCII order, as the interpreter's digit output does.
std::string BcdConstantText(std::span<const std::uint8_t> bytes);

// Whether the bytes are a constant the MSX tokeniser writes: positive (the
// minus sign is a token of its own), every nibble a decimal digit, the
// first digit not 0, or all bytes 0.
bool IsTokenisedBcd(std::span<const std::uint8_t> bytes);

}  // namespace orvano::basic
