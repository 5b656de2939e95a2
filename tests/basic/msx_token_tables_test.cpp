#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "basic/msx_token_tables.h"

namespace orvano::basic {
namespace {

struct KeywordCase {
  std::uint8_t code;
  std::string_view keyword;
};

// The first and last code of each row of the tables, where an entry slips
// by one most easily, and the codes where the two dialects part.
constexpr KeywordCase kOneByteCases[] = {
    {0x81, "END"},   {0x8F, "REM"},  {0x90, "STOP"}, {0x96, "WAIT"},  {0x9F, "CLS"},  {0xA0, "WIDTH"},
    {0xA1, "ELSE"},  {0xAF, "LINE"}, {0xB0, "OPEN"}, {0xBF, "PAINT"}, {0xC0, "BEEP"}, {0xCF, "BLOAD"},
    {0xD0, "BSAVE"}, {0xD9, "TO"},   {0xDA, "THEN"}, {0xDF, "SPC("},  {0xE0, "NOT"},  {0xE6, "'"},
    {0xEF, "="},     {0xF0, "<"},    {0xF2, "-"},    {0xFC, "\\"},
};

TEST(MsxOneByteKeyword, SpellsTheCodesAtTheEdgesOfRows) {
  for (const auto& [code, keyword] : kOneByteCases) EXPECT_EQ(kMsxOneByteIndex[code], keyword) << int{code};
}

TEST(MsxOneByteKeyword, LeavesOnlyFourCodesAbove0x7FWithout) {
  std::vector<int> without;
  for (int code = 0x80; code <= 0xFF; ++code) {
    if (kMsxOneByteIndex[static_cast<std::size_t>(code)].empty()) without.push_back(code);
  }
  EXPECT_EQ(without, (std::vector<int>{0x80, 0xFD, 0xFE, 0xFF}));
}

constexpr KeywordCase kPrefixedCases[] = {
    {0x81, "LEFT$"}, {0x8F, "FRE"}, {0x90, "INP"},  {0x96, "CHR$"},  {0x9F, "CSNG"},
    {0xA0, "CDBL"},  {0xAB, "EOF"}, {0xB0, "MKD$"}, {0x01, "LEFT$"}, {0x30, "MKD$"},
};

TEST(MsxPrefixedKeyword, SpellsTheFunctionsByTheLowSevenBits) {
  for (const auto& [code, keyword] : kPrefixedCases) EXPECT_EQ(kMsxPrefixedIndex[code], keyword) << int{code};
  for (const int code : {0x00, 0x31, 0x7F, 0x80, 0xB1, 0xFF}) {
    EXPECT_TRUE(kMsxPrefixedIndex[static_cast<std::size_t>(code)].empty()) << code;
  }
}

}  // namespace
}  // namespace orvano::basic
