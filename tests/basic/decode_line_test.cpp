#include <gtest/gtest.h>

#include <string>

#include "basic/basic_detokenizer.h"
#include "common/memory_stream.h"
#include "tests/support/temp_dir.h"

namespace orvano::basic {
namespace {

using testing::Bytes;

// The two-byte-token text in code page 866, its last character a blank.
const std::string kTwoByteToken = "\x84\x82\x93\x95\x81\x80\x89\x92\x8E\x82\x9B\x89 \x92\x8E\x8A\x85\x8D ";

struct LineCase {
  const char* name;
  Bytes text;  // the tokenised text with its closing 0x00
  std::string listed;
};

const LineCase kLineCases[] = {
    {"string", {0x91, 0x20, 0x22, 0x48, 0x49, 0x22, 0x00}, "PRINT \"HI\""},
    {"empty", {0x00}, ""},
    {"colon before ELSE disappears",
     {0x8B, 0x20, 0x41, 0x20, 0xDD, 0x20, 0x0E, 0x14, 0x00, 0x20, 0x3A, 0xA2, 0x20, 0x0E, 0x1E, 0x00, 0x00},
     "IF A THEN 20 ELSE 30"},
    {"ELSE without colon", {0xA2, 0x00}, "ELSE"},
    {"colon at the end of the line", {0x41, 0x3A, 0x00}, "A:"},
    {"colon before a token", {0x3A, 0x91, 0x00}, ":PRINT"},
    {"two colons", {0x3A, 0x3A, 0xA2, 0x00}, ":ELSE"},
    {"DATA with a quoted colon",
     {0x84, 0x20, 0x31, 0x2C, 0x22, 0x41, 0x3A, 0x42, 0x22, 0x3A, 0x91, 0x20, 0x31, 0x00},
     "DATA 1,\"A:B\":PRINT 1"},
    {"tokens inside DATA stay bytes", {0x84, 0x91, 0x11, 0xFF, 0x85, 0x00}, "DATA\x91\x11\xFF\x85"},
    {"DATA ended by a colon before ELSE", {0x84, 0x31, 0x3A, 0xA2, 0x00}, "DATA1ELSE"},
    {"DATA with an unclosed quote", {0x84, 0x22, 0x3A, 0x41, 0x00}, "DATA\":A"},
    {"REM", {0x8F, 0x20, 0x91, 0x00}, "REM \x91"},
    {"REM keeps colons and quotes", {0x8F, 0x3A, 0xA2, 0x22, 0x00}, "REM:\xA2\""},
    {"string keeps tokens and colons", {0x22, 0x91, 0x3A, 0xA2, 0x22, 0x91, 0x00}, "\"\x91:\xA2\"PRINT"},
    {"line ends inside a string", {0x22, 0x41, 0x00}, "\"A"},
    {"hex, one byte", {0x0C, 0x05, 0x00, 0x00}, "&H05"},
    {"hex, two bytes", {0x0C, 0x34, 0x12, 0x00}, "&H1234"},
    {"hex, high byte only", {0x0C, 0x00, 0x01, 0x00}, "&H0100"},
    {"hex zero", {0x0C, 0x00, 0x00, 0x00}, "&H00"},
    {"octal", {0x0B, 0x0F, 0x00, 0x00}, "&O17"},
    {"octal zero", {0x0B, 0x00, 0x00, 0x00}, "&O0"},
    {"octal, least significant byte first", {0x0B, 0xFF, 0xFF, 0x00}, "&O177777"},
    {"two-byte integer, negative", {0x1C, 0xFF, 0xFF, 0x00}, "-1"},
    {"two-byte integer, least significant byte first", {0x1C, 0x00, 0x01, 0x00}, "256"},
    {"two-byte integer, lowest", {0x1C, 0x00, 0x80, 0x00}, "-32768"},
    {"one-byte integer", {0x0F, 0xFF, 0x00}, "255"},
    {"small integers", {0x11, 0x2C, 0x1A, 0x2C, 0x1B, 0x00}, "0,9,10"},
    {"line number reference", {0x0D, 0x0A, 0x00, 0x00}, "10"},
    {"line number, unsigned", {0x89, 0x0E, 0xFF, 0xFF, 0x00}, "GOTO65535"},
    {"prefixed function", {0xFF, 0x85, 0x28, 0x41, 0x29, 0x00}, "INT(A)"},
    {"prefixed code without keyword", {0xFF, 0xA0, 0x00}, kTwoByteToken + "\xA0"},
    {"prefix before 0x00 does not end the line", {0xFF, 0x00, 0x41, 0x00}, kTwoByteToken + std::string(1, '\0') + "A"},
    {"unassigned codes stay bytes", {0x97, 0xFE, 0x80, 0x00}, "\x97\xFE\x80"},
    {"characters without a meaning", {0x01, 0x0A, 0x10, 0x1E, 0x7F, 0x00}, "\x01\x0A\x10\x1E\x7F"},
    {"single-character keywords", {0xF1, 0xF0, 0xEF, 0xFD, 0x96, 0x00}, "<=>\\$"},
    {"TAB and SPC keep their bracket", {0xDE, 0x12, 0x29, 0xE2, 0x12, 0x29, 0x00}, "TAB(1)SPC(1)"},
    {"nothing after the line's 0x00", {0x41, 0x00, 0x42, 0x00}, "A"},
};

TEST(DecodeLine, RendersEachByteCode) {
  for (const LineCase& c : kLineCases) {
    MemoryStream source(c.text);
    BasicDetokenizer detokenizer(&source, "");
    EXPECT_EQ(detokenizer.DecodeLine(), c.listed) << c.name;
  }
}

TEST(DecodeLine, StopsRightAfterTheLinesZero) {
  MemoryStream source(Bytes{0x41, 0x3A, 0x00, 0x91, 0x00});
  BasicDetokenizer detokenizer(&source, "");
  EXPECT_EQ(detokenizer.DecodeLine(), "A:");
  EXPECT_EQ(source.Position(), 3u);
  EXPECT_EQ(detokenizer.DecodeLine(), "PRINT");
}

struct FloatCase {
  Bytes constant;
  std::string listed;
};

const FloatCase kFloatCases[] = {
    {{0x1D, 0x00, 0x00, 0x40, 0x81}, "1.5"},
    {{0x1D, 0x00, 0x00, 0xA0, 0x82}, "-2.5"},
    {{0x1D, 0x00, 0x00, 0x00, 0x83}, "4!"},
    {{0x1D, 0x00, 0x00, 0x00, 0x00}, "0!"},
    {{0x1D, 0x00, 0x40, 0x1C, 0x90}, "40000!"},
    {{0x1D, 0xD0, 0x0F, 0x49, 0x82}, "3.14159"},
    {{0x1D, 0xE5, 0x07, 0x4F, 0x70}, "0.00001234"},
    {{0x1D, 0xBD, 0x37, 0x06, 0x6D}, "1E-6"},
    {{0x1D, 0xF9, 0x02, 0x15, 0xA2}, "1E10!"},
    {{0x1D, 0x3E, 0xB4, 0x16, 0x95}, "1234568"},
    {{0x1F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x82}, "2.5"},
    {{0x1F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x82}, "3"},
    {{0x1F, 0xA8, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0x2A, 0x7F}, "0.333333333333333"},
    {{0x1F, 0x40, 0x7A, 0xE5, 0xD5, 0x94, 0xBF, 0x56, 0x69}, "1E-7"},
    // Exponent bytes 1 and 2: values below an IEEE single's normal range,
    // listed like any other.
    {{0x1D, 0x00, 0x00, 0x40, 0x01}, "4.408104E-39"},
    {{0x1D, 0x00, 0x00, 0x80, 0x01}, "-2.938736E-39"},
    {{0x1D, 0x00, 0x00, 0x00, 0x02}, "5.877472E-39"},
    {{0x1D, 0x00, 0x00, 0x40, 0x02}, "8.816208E-39"},
    {{0x1D, 0x00, 0x00, 0x00, 0x03}, "1.175494E-38"},
};

TEST(DecodeLine, ListsFloatingConstants) {
  for (const auto& [constant, listed] : kFloatCases) {
    Bytes text = {0x41, 0xF0};  // "A="
    text.insert(text.end(), constant.begin(), constant.end());
    text.insert(text.end(), {0x3A, 0x42, 0x00});  // ":B", so that all bytes of the constant are taken
    MemoryStream source(text);
    BasicDetokenizer detokenizer(&source, "");
    EXPECT_EQ(detokenizer.DecodeLine(), "A=" + listed + ":B") << listed;
  }
}

// A constant the data cuts short reads as zeros in all its bytes, except the
// hexadecimal one, whose bytes are read one at a time.
const LineCase kCutShortCases[] = {
    {"two-byte integer", {0x1C, 0x05}, "0"},
    {"line number", {0x89, 0x0E, 0x05}, "GOTO0"},
    {"octal", {0x0B, 0x0F}, "&O0"},
    {"single", {0x41, 0x1D, 0x00, 0x00, 0x40}, "A0!"},
    {"double", {0x1F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x82}, "0"},
    {"hexadecimal keeps its low byte", {0x0C, 0x05}, "&H05"},
    {"one-byte integer", {0x0F}, "0"},
    {"string", {0x22, 0x41}, "\"A"},
    {"colon", {0x41, 0x3A}, "A:"},
    {"prefix", {0xFF}, kTwoByteToken + std::string(1, '\0')},
};

TEST(DecodeLine, EndsAtTheEndOfTheData) {
  for (const LineCase& c : kCutShortCases) {
    MemoryStream source(c.text);
    BasicDetokenizer detokenizer(&source, "");
    EXPECT_EQ(detokenizer.DecodeLine(), c.listed) << c.name;
    EXPECT_EQ(source.Status(), StreamStatus::ReadPastEnd) << c.name;
  }
}

TEST(DecodeLine, DropsTextBeyond255CharactersButReadsTheWholeLine) {
  Bytes text(300, 'A');
  text.insert(text.begin(), {0x91, 0x20});
  text.insert(text.end(), {0x00, 0x8A, 0x00});
  MemoryStream source(text);
  BasicDetokenizer detokenizer(&source, "");
  EXPECT_EQ(detokenizer.DecodeLine(), "PRINT " + std::string(249, 'A'));
  EXPECT_EQ(detokenizer.DecodeLine(), "RUN");
}

TEST(DecodeLine, CutsAKeywordAtTheLimit) {
  Bytes text(253, 'A');
  text.insert(text.end(), {0x91, 0x00});
  MemoryStream source(text);
  BasicDetokenizer detokenizer(&source, "");
  EXPECT_EQ(detokenizer.DecodeLine(), std::string(253, 'A') + "PR");
}

TEST(DecodeLine, GivesNothingWithoutSource) {
  BasicDetokenizer detokenizer(nullptr, "");
  EXPECT_EQ(detokenizer.DecodeLine(), "");
}

struct HexCase {
  std::uint8_t value;
  std::string text;
};

TEST(HexByte, GivesTwoUpperCaseDigitsHighFirst) {
  const HexCase cases[] = {{0x00, "00"}, {0x05, "05"}, {0x0A, "0A"}, {0xA0, "A0"}, {0x3F, "3F"}, {0xFF, "FF"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(BasicDetokenizer::HexByte(value), text);
}

struct OctCase {
  std::uint16_t value;
  std::string text;
};

TEST(OctWord, GivesTheDigitsWithoutLeadingZeros) {
  const OctCase cases[] = {{0, "0"}, {7, "7"}, {8, "10"}, {0x0F, "17"}, {0x8000, "100000"}, {0xFFFF, "177777"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(BasicDetokenizer::OctWord(value), text);
}

}  // namespace
}  // namespace orvano::basic
