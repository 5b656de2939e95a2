#include "common/number_text.h"

#include <charconv>

namespace orvano {
namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != prefix[i]) return false;
  }
  return true;
}

// The value modulo 2^64; its low bits are those of the true value, however
// long the text. Addresses may carry a sign and trailing blanks (an input
// line pads nothing, but a typed blank should not make a number wrong);
// markers may not.
std::optional<std::uint64_t> ReadInteger(std::string_view text, bool address) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (address && !text.empty() && text.back() == ' ') text.remove_suffix(1);
  bool negative = false;
  if (address && !text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  unsigned base = 10;
  if (StartsWithNoCase(text, "0x")) {
    base = 16;
    text.remove_prefix(2);
  } else if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
    base = 16;
    text.remove_prefix(1);
  } else if (!text.empty() && text.front() == '%') {
    base = 2;
    text.remove_prefix(1);
  } else if (!text.empty() && text.front() == '&') {
    base = 8;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    const int digit = DigitValue(c);
    if (digit < 0 || static_cast<unsigned>(digit) >= base) return std::nullopt;
    value = value * base + static_cast<unsigned>(digit);
  }
  return negative ? ~value + 1 : value;
}

}  // namespace

std::optional<std::uint16_t> ReadAddress(std::string_view text) {
  const auto value = ReadInteger(text, true);
  if (!value) return std::nullopt;
  return static_cast<std::uint16_t>(*value & 0xFFFFu);
}

std::optional<std::uint8_t> ReadMarkerNumber(std::string_view text) {
  const auto value = ReadInteger(text, false);
  if (!value) return std::nullopt;
  return static_cast<std::uint8_t>(*value & 0xFFu);
}

std::string Hex2(std::uint8_t value) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[value >> 4], kDigits[value & 0xFu]};
}

std::string Hex4(std::uint16_t value) {
  return Hex2(static_cast<std::uint8_t>(value >> 8)) + Hex2(static_cast<std::uint8_t>(value));
}

std::string AddressText(std::uint16_t value) { return "0x" + Hex4(value); }

std::string Decimal(std::uint64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace orvano
