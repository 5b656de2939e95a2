#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvano {

// Reads an integer in the notation the Options dialog accepts: leading
// blanks, an optional sign, then decimal digits, or "0x", "$" or "x" (either
// case) and hexadecimal digits, "%" and binary digits, "&" and octal digits.
// A leading zero does not mean octal. The result keeps the low 16 bits, so
// -1 reads as 0xFFFF and 70000 as 0x1170. No value when the text is no number.
std::optional<std::uint16_t> ReadAddress(std::string_view text);

// The same notation without a sign, as the log markers use it; the result
// keeps the low 8 bits.
std::optional<std::uint8_t> ReadMarkerNumber(std::string_view text);

// Exactly two, or four, upper-case hexadecimal digits.
std::string Hex2(std::uint8_t value);
std::string Hex4(std::uint16_t value);
// "0x" and four upper-case hexadecimal digits, as the Options dialog shows it.
std::string AddressText(std::uint16_t value);
// Decimal, no leading zeros, never a locale's grouping.
std::string Decimal(std::uint64_t value);

}  // namespace orvano
