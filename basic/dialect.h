#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "basic/keyword_index.h"
#include "basic/msx_token_tables.h"
#include "basic/token_tables.h"

namespace orvano::basic {

// The BASICs whose tokenised programs Orvano lists.
enum class Dialect : std::uint8_t { Msx, Korvet };

// How the floating constants 0x1D and 0x1F are stored.
enum class FloatEncoding : std::uint8_t {
  BinaryMbf,   // Microsoft Binary Format, least significant byte first
  DecimalBcd,  // an exponent byte, then two decimal digits a byte
};

// How a hexadecimal constant 0x0C is written after its "&H".
enum class HexDigits : std::uint8_t {
  BytePairs,       // two digits a byte, the high byte only when it is not 0
  NoLeadingZeros,  // like any number
};

// What the ELSE token takes away from the text before it.
enum class ElseCut : std::uint8_t {
  StoredColon,        // the colon stored right before it, nothing else
  PreviousCharacter,  // whatever character was written last
};

// What a code after the prefix 0xFF without a function of that code gives.
enum class UnknownFunction : std::uint8_t {
  NamedTwoByteToken,  // a word saying so, then the code
  CopiedBytes,        // the prefix and the code, as they are
};

using CodeSet = std::array<bool, 256>;

constexpr CodeSet CodesOf(std::initializer_list<std::uint8_t> codes) {
  CodeSet set{};
  for (const std::uint8_t code : codes) set[code] = true;
  return set;
}

// Everything that makes one BASIC's program list differently from another's:
// its token tables, how its constants read, how quoted text is treated, and
// how a line record looks. One detokeniser follows whichever it is handed.
struct DialectRules {
  Dialect dialect;
  std::string_view name;
  const KeywordIndex* one_byte;
  const KeywordIndex* prefixed;
  std::uint8_t else_token;
  // The token that the tokeniser stores as ":REM" and this code, and that
  // LIST shows as one apostrophe; 0 when there is none.
  std::uint8_t apostrophe_token;
  FloatEncoding floats;
  HexDigits hex;
  ElseCut else_cut;
  UnknownFunction unknown_function;
  // Constant codes are numbers inside strings, REM and DATA text as well;
  // otherwise those bytes are copied like any other.
  bool constants_in_quoted_text;
  // The byte after the prefix 0xFF is taken even when it is 0x00, which
  // then does not end the line.
  bool prefix_takes_line_end;
  // A 0x0D operand is the address of the 0x00 before the line it names;
  // otherwise it is the line number itself.
  bool line_pointers_are_addresses;
  // The output of an LF byte in a line gets a CR after it.
  bool line_feed_gets_return;
  // A line whose text starts with a tab gets no blank after its number.
  bool tab_replaces_blank;
  // The longest record, CR LF included; 0 for no limit beyond the text's.
  std::size_t max_record_length;
  // LIST stops before the first line numbered above this.
  std::uint16_t last_listed_line;

  // What tells this dialect's programs from others', as data for the
  // evidence in dialect_evidence.h.
  std::uint8_t equals_token;
  // Keywords that a line number (0x0E) can follow, blanks between.
  CodeSet line_number_keywords;
  // Statements that can take a string right after the keyword.
  CodeSet string_statements;
};

namespace detail {

inline constexpr DialectRules kKorvetRules{
    .dialect = Dialect::Korvet,
    .name = "Korvet BASIC",
    .one_byte = &kOneByteIndex,
    .prefixed = &kPrefixedIndex,
    .else_token = 0xA2,
    .apostrophe_token = 0,
    .floats = FloatEncoding::BinaryMbf,
    .hex = HexDigits::BytePairs,
    .else_cut = ElseCut::StoredColon,
    .unknown_function = UnknownFunction::NamedTwoByteToken,
    .constants_in_quoted_text = false,
    .prefix_takes_line_end = true,
    .line_pointers_are_addresses = false,
    .line_feed_gets_return = false,
    .tab_replaces_blank = false,
    .max_record_length = 255,
    .last_listed_line = 65535,
    .equals_token = 0xF0,
    .line_number_keywords =
        CodesOf({0x89, 0x8A, 0x8C, 0x8D, 0x8E, 0x93, 0x9F, 0xA7, 0xA9, 0xAA, 0xAB, 0xAC, 0xDD, 0xA2}),
    .string_statements = CodesOf({0x85, 0x8A, 0x91, 0x9E, 0xBF, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xCB, 0xCD, 0xD2}),
};

inline constexpr DialectRules kMsxRules{
    .dialect = Dialect::Msx,
    .name = "MSX BASIC",
    .one_byte = &kMsxOneByteIndex,
    .prefixed = &kMsxPrefixedIndex,
    .else_token = 0xA1,
    .apostrophe_token = 0xE6,
    .floats = FloatEncoding::DecimalBcd,
    .hex = HexDigits::NoLeadingZeros,
    .else_cut = ElseCut::PreviousCharacter,
    .unknown_function = UnknownFunction::CopiedBytes,
    .constants_in_quoted_text = true,
    .prefix_takes_line_end = false,
    .line_pointers_are_addresses = true,
    .line_feed_gets_return = true,
    .tab_replaces_blank = true,
    .max_record_length = 0,
    .last_listed_line = 65530,
    .equals_token = 0xEF,
    .line_number_keywords = CodesOf({0x89, 0x8A, 0x8C, 0x8D, 0x8E, 0x93, 0x9E, 0xA7, 0xA8, 0xA9, 0xAA, 0xDA, 0xA1}),
    .string_statements = CodesOf(
        {0x85, 0x8A, 0x91, 0x9A, 0x9B, 0x9D, 0xB0, 0xB5, 0xB6, 0xB7, 0xBA, 0xBB, 0xBE, 0xC1, 0xCF, 0xD0, 0xD3, 0xD4}),
};

}  // namespace detail

constexpr const DialectRules& RulesOf(Dialect dialect) {
  return dialect == Dialect::Msx ? detail::kMsxRules : detail::kKorvetRules;
}

// Both dialects agree where the tokeniser puts them.
inline constexpr std::uint8_t kDataToken = 0x84;
inline constexpr std::uint8_t kRemToken = 0x8F;
inline constexpr std::uint8_t kForToken = 0x82;
inline constexpr std::uint8_t kLetToken = 0x88;

namespace detail {

// Whether the codes of `set` spell exactly `keywords` in `index`.
constexpr bool Spells(const CodeSet& set, const KeywordIndex& index, std::initializer_list<std::string_view> keywords) {
  std::size_t count = 0;
  for (std::size_t code = 0; code < set.size(); ++code) {
    if (!set[code]) continue;
    ++count;
    bool named = false;
    for (const std::string_view keyword : keywords) named = named || index[code] == keyword;
    if (!named) return false;
  }
  return count == keywords.size();
}

constexpr bool Spells(std::uint8_t code, const DialectRules& rules, std::string_view keyword) {
  return (*rules.one_byte)[code] == keyword;
}

static_assert(Spells(kDataToken, kMsxRules, "DATA") && Spells(kDataToken, kKorvetRules, "DATA"));
static_assert(Spells(kRemToken, kMsxRules, "REM") && Spells(kRemToken, kKorvetRules, "REM"));
static_assert(Spells(kForToken, kMsxRules, "FOR") && Spells(kForToken, kKorvetRules, "FOR"));
static_assert(Spells(kLetToken, kMsxRules, "LET") && Spells(kLetToken, kKorvetRules, "LET"));
static_assert(Spells(kMsxRules.else_token, kMsxRules, "ELSE") && Spells(kKorvetRules.else_token, kKorvetRules, "ELSE"));
static_assert(Spells(kMsxRules.equals_token, kMsxRules, "=") && Spells(kKorvetRules.equals_token, kKorvetRules, "="));
static_assert(Spells(kMsxRules.apostrophe_token, kMsxRules, "'"));
static_assert(Spells(kMsxRules.line_number_keywords, kMsxOneByteIndex,
                     {"GOTO", "RUN", "RESTORE", "GOSUB", "RETURN", "LIST", "LLIST", "RESUME", "DELETE", "AUTO", "RENUM",
                      "THEN", "ELSE"}));
static_assert(Spells(kKorvetRules.line_number_keywords, kOneByteIndex,
                     {"GOTO", "RUN", "RESTORE", "GOSUB", "RETURN", "LIST", "LLIST", "EDIT", "RESUME", "DELETE", "AUTO",
                      "RENUM", "THEN", "ELSE"}));
static_assert(Spells(kMsxRules.string_statements, kMsxOneByteIndex,
                     {"INPUT", "RUN", "PRINT", "CSAVE", "CLOAD", "LPRINT", "OPEN", "LOAD", "MERGE", "FILES", "SAVE",
                      "LFILES", "DRAW", "PLAY", "BLOAD", "BSAVE", "NAME", "KILL"}));
static_assert(Spells(kKorvetRules.string_statements, kOneByteIndex,
                     {"INPUT", "RUN", "PRINT", "LPRINT", "OPEN", "LOAD", "MERGE", "FILES", "NAME", "KILL", "SAVE",
                      "LFILES", "DRAW"}));

}  // namespace detail

}  // namespace orvano::basic
