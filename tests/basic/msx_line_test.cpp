#include <gtest/gtest.h>

#include <string>

#include "basic/basic_detokenizer.h"
#include "common/memory_stream.h"
#include "tests/support/temp_dir.h"

namespace orvano::basic {
namespace {

using testing::Bytes;

struct LineCase {
  const char* name;
  Bytes text;  // the tokenised text, without its closing 0x00
  std::string listed;
};

std::string MsxLine(Bytes text) {
  text.push_back(0x00);
  MemoryStream source(text);
  BasicDetokenizer detokenizer(&source, "", DialectChoice::Msx);
  return detokenizer.DecodeLine();
}

const LineCase kConstantCases[] = {
    {"octal zero", {0x0B, 0x00, 0x00}, "&O0"},
    {"octal", {0x0B, 0x0F, 0x00}, "&O17"},
    {"octal, least significant byte first", {0x0B, 0xFF, 0xFF}, "&O177777"},
    {"hex zero", {0x0C, 0x00, 0x00}, "&H0"},
    {"hex, one digit", {0x0C, 0x02, 0x00}, "&H2"},
    {"hex, no leading zero", {0x0C, 0xA0, 0x02}, "&H2A0"},
    {"hex, upper case", {0x0C, 0xFF, 0xFF}, "&HFFFF"},
    {"hex, zeros after the first digit", {0x0C, 0x00, 0xC0}, "&HC000"},
    {"line number", {0x89, 0x0E, 0x0A, 0x00}, "GOTO10"},
    {"line number, unsigned", {0x89, 0x0E, 0xFF, 0xFF}, "GOTO65535"},
    {"one-byte integer", {0x0F, 0x0A}, "10"},
    {"one-byte integer, highest", {0x0F, 0xFF}, "255"},
    {"small integers", {0x11, 0x2C, 0x14, 0x2C, 0x1A}, "0,3,9"},
    {"small ten, never stored", {0x1B}, "10"},
    {"integer", {0x1C, 0x00, 0x01}, "256"},
    {"integer, highest", {0x1C, 0xFF, 0x7F}, "32767"},
    {"integer, negative", {0x1C, 0x00, 0x80}, "-32768"},
    {"integer minus one", {0x1C, 0xFF, 0xFF}, "-1"},
    {"single", {0x1D, 0x41, 0x15, 0x00, 0x00}, "1.5"},
    {"double", {0x1F, 0x40, 0x50, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, ".5#"},
    {"a minus is a token", {0xF2, 0x11}, "-0"},
    {"a minus before a single", {0xF2, 0x1D, 0x00, 0x00, 0x00, 0x00}, "-0!"},
    {"&B is not tokenised", {0x26, 0x42, 0x31, 0x30, 0x30}, "&B100"},
};

TEST(MsxDecodeLine, WritesEachConstantAsList) {
  for (const LineCase& c : kConstantCases) EXPECT_EQ(MsxLine(c.text), c.listed) << c.name;
}

const LineCase kSequenceCases[] = {
    {"apostrophe", {0x3A, 0x8F, 0xE6, 0x41}, "'A"},
    {"colon before an apostrophe", {0x41, 0x3A, 0x3A, 0x8F, 0xE6}, "A:'"},
    {"REM after a colon", {0x3A, 0x8F, 0x20, 0x41}, ":REM A"},
    {"apostrophe bytes in REM text stay bytes", {0x8F, 0x20, 0x3A, 0x8F, 0xE6}, "REM :\x8F\xE6"},
    {"an apostrophe token alone", {0x41, 0xE6}, "A'"},
    {"ELSE takes its stored colon",
     {0x8B, 0x20, 0x41, 0x20, 0xDA, 0x20, 0x0E, 0x0A, 0x00, 0x20, 0x3A, 0xA1, 0x20, 0x0E, 0x14, 0x00},
     "IF A THEN 10 ELSE 20"},
    {"two colons before ELSE", {0x3A, 0x3A, 0xA1}, ":ELSE"},
    {"ELSE takes any character before it", {0x91, 0xA1}, "PRINELSE"},
    {"ELSE at the start of the text loses its E", {0xA1, 0x20, 0x12}, "LSE 1"},
    {"ELSE in a string is a byte", {0x22, 0x3A, 0xA1, 0x22}, "\":\xA1\""},
    {"ELSE in DATA ends it with its colon", {0x84, 0x31, 0x3A, 0xA1}, "DATA1ELSE"},
    {"constants in a string are numbers", {0x91, 0x22, 0x58, 0x11, 0x12, 0x0F, 0x0A, 0x58, 0x22}, "PRINT\"X0110X\""},
    {"escape in a string lists as 10", {0x22, 0x1B, 0x22}, "\"10\""},
    {"digit codes in DATA",
     {0x84, 0x20, 0x22, 0x58, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x58, 0x22},
     "DATA \"X012345678X\""},
    {"constants in REM", {0x8F, 0x0C, 0x34, 0x12}, "REM&H1234"},
    {"tokens in a string stay bytes", {0x22, 0x91, 0xFF, 0x85, 0x22, 0x91}, "\"\x91\xFF\x85\"PRINT"},
    {"tokens in DATA stay bytes up to a colon", {0x84, 0x91, 0x3A, 0x91}, "DATA\x91:PRINT"},
    {"a colon in a DATA string", {0x84, 0x22, 0x3A, 0x91, 0x22, 0x3A, 0x91}, "DATA\":\x91\":PRINT"},
    {"REM keeps colons, quotes and bytes", {0x8F, 0x3A, 0x22, 0x80, 0xA1, 0xFF}, "REM:\"\x80\xA1\xFF"},
    {"graphic character",
     {0x22, 0x01, 0x41, 0x22},
     "\"\x01"
     "A\""},
    {"codes without keyword are copied", {0x80, 0xFD, 0xFE}, "\x80\xFD\xFE"},
    {"function", {0xFF, 0x85, 0x28, 0x41, 0x29}, "INT(A)"},
    {"function by the low seven bits of its code", {0xFF, 0x05}, "INT"},
    {"last function", {0xFF, 0xB0}, "MKD$"},
    {"function code without keyword is copied", {0xFF, 0xB1, 0xFF, 0x80}, "\xFF\xB1\xFF\x80"},
    {"codes that are no constants are copied", {0x10, 0x1E}, "\x10\x1E"},
    {"control bytes are copied", {0x01, 0x09, 0x0A, 0x7F}, "\x01\x09\x0A\x7F"},
    {"one-character keywords", {0xEE, 0xEF, 0xF0, 0xFC, 0xF5}, ">=<\\^"},
    {"TAB( and SPC( keep their bracket", {0xDB, 0x12, 0x29, 0xDF, 0x12, 0x29}, "TAB(1)SPC(1)"},
    {"keywords only MSX has", {0xC0, 0x3A, 0xC1, 0x3A, 0xCA, 0x3A, 0xD8}, "BEEP:PLAY:CALL:LOCATE"},
};

TEST(MsxDecodeLine, UnpacksTheSpecialSequences) {
  for (const LineCase& c : kSequenceCases) EXPECT_EQ(MsxLine(c.text), c.listed) << c.name;
}

TEST(MsxDecodeLine, EndsTheLineAtAPrefixBeforeItsZero) {
  MemoryStream source(Bytes{0xFF, 0x00, 0x41, 0x00});
  BasicDetokenizer detokenizer(&source, "", DialectChoice::Msx);
  EXPECT_EQ(detokenizer.DecodeLine(), "\xFF");
  EXPECT_EQ(detokenizer.DecodeLine(), "A");
}

// A constant the data cuts short reads as zeros, except the hexadecimal
// one, whose bytes are read one at a time.
const LineCase kCutShortCases[] = {
    {"integer", {0x1C, 0x05}, "0"},
    {"hexadecimal keeps its low byte", {0x0C, 0x05}, "&H5"},
    {"single", {0x41, 0xEF, 0x1D, 0x41, 0x15}, "A=0!"},
    {"double", {0x1F, 0x41, 0x15, 0x00, 0x00}, "0#"},
    {"prefix", {0x91, 0xFF}, "PRINT\xFF"},
};

TEST(MsxDecodeLine, EndsAtTheEndOfTheData) {
  for (const LineCase& c : kCutShortCases) {
    MemoryStream source(c.text);
    BasicDetokenizer detokenizer(&source, "", DialectChoice::Msx);
    EXPECT_EQ(detokenizer.DecodeLine(), c.listed) << c.name;
    EXPECT_EQ(source.Status(), StreamStatus::ReadPastEnd) << c.name;
  }
}

TEST(MsxDecodeLine, CutsTheTextAt255Characters) {
  const Bytes text = [] {
    Bytes bytes = {0x91, 0x20, 0x22};
    bytes.insert(bytes.end(), 260, 'A');
    return bytes;
  }();
  EXPECT_EQ(MsxLine(text), "PRINT \"" + std::string(248, 'A'));
}

}  // namespace
}  // namespace orvano::basic
