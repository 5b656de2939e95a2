#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "basic/token_tables.h"

namespace orvano::basic {
namespace {

struct KeywordCase {
  std::uint8_t code;
  std::string_view keyword;
};

// Codes right after a gap, where an entry slips by one most easily, and the
// keywords whose last character belongs to them.
constexpr KeywordCase kOneByteCases[] = {
    {0x81, "END"},    {0x96, "$"},     {0x98, "DEF"},       {0x9D, "MOTOR"},  {0xA1, "WIDTH"},
    {0xBB, "RANDOMIZE"}, {0xBF, "OPEN"}, {0xC3, "CLOSE"},   {0xCD, "LFILES"}, {0xD9, "LUT"},
    {0xDA, "RELOC"},  {0xDC, "TO"},    {0xDE, "TAB("},      {0xE2, "SPC("},   {0xE6, "STRING$"},
    {0xEA, "VARPTR"}, {0xEF, ">"},     {0xFD, "\\"},
};

TEST(OneByteKeyword, SpellsTheCodesAtTheEdgesOfGaps) {
  for (const auto& [code, keyword] : kOneByteCases) {
    EXPECT_EQ(OneByteKeyword(code), keyword) << "code " << int{code};
  }
}

std::vector<int> CodesWithout(std::string_view (*lookup)(std::uint8_t), int first, int last) {
  std::vector<int> codes;
  for (int code = first; code <= last; ++code) {
    if (lookup(static_cast<std::uint8_t>(code)).empty()) codes.push_back(code);
  }
  return codes;
}

TEST(OneByteKeyword, LeavesExactlyTheUnassignedCodesWithoutEntry) {
  const std::vector<int> unassigned = {0x80, 0x97, 0x9B, 0x9C, 0xA0, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7,
                                       0xB8, 0xB9, 0xBA, 0xBE, 0xC0, 0xC1, 0xC2, 0xC9, 0xCA, 0xCC, 0xD8,
                                       0xDB, 0xE9, 0xFE, 0xFF};
  EXPECT_EQ(CodesWithout(OneByteKeyword, 0x80, 0xFF), unassigned);
  EXPECT_EQ(CodesWithout(OneByteKeyword, 0x00, 0x7F).size(), 0x80u);
}

constexpr KeywordCase kPrefixedCases[] = {
    {0x81, "LEFT$"}, {0x85, "INT"}, {0x90, "BIN$"}, {0x96, "CHR$"}, {0x9F, "FIX"}, {0xAF, "EOF"},
};

TEST(PrefixedKeyword, SpellsTheFunctions) {
  for (const auto& [code, keyword] : kPrefixedCases) {
    EXPECT_EQ(PrefixedKeyword(code), keyword) << "code " << int{code};
  }
}

TEST(PrefixedKeyword, HasEntriesOnlyFrom0x81To0x9FAnd0xAF) {
  for (int code = 0; code <= 0xFF; ++code) {
    const bool assigned = (code >= 0x81 && code <= 0x9F) || code == 0xAF;
    EXPECT_EQ(!PrefixedKeyword(static_cast<std::uint8_t>(code)).empty(), assigned) << "code " << code;
  }
}

}  // namespace
}  // namespace orvano::basic
