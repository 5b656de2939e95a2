#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace orvano::basic {

// The keyword of a token code as the listing spells it.
struct Token {
  std::uint8_t code;
  std::string_view keyword;
};

// The byte before a function's code, in every dialect; it has no keyword of
// its own.
inline constexpr std::uint8_t kTokenPrefix = 0xFF;

// Keywords by code; an empty entry is a code without keyword.
using KeywordIndex = std::array<std::string_view, 256>;

namespace detail {

constexpr bool WellFormed(std::span<const Token> table, std::uint8_t lowest, std::uint8_t highest) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].code < lowest || table[i].code > highest) return false;
    if (i > 0 && table[i].code <= table[i - 1].code) return false;
    if (table[i].keyword.empty() || table[i].keyword.size() > 9) return false;
  }
  return true;
}

// With `mirror_low_codes` each keyword is found under its code with the top
// bit cleared too, for a table that is looked up by the low seven bits.
constexpr KeywordIndex IndexOf(std::span<const Token> table, bool mirror_low_codes = false) {
  KeywordIndex index{};
  for (const Token& token : table) {
    index[token.code] = token.keyword;
    if (mirror_low_codes) index[token.code & 0x7Fu] = token.keyword;
  }
  return index;
}

}  // namespace detail
}  // namespace orvano::basic
