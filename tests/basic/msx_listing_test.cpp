#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "basic/basic_detokenizer.h"
#include "basic/program_listing.h"
#include "common/memory_stream.h"
#include "tests/basic/program_bytes.h"
#include "tests/support/temp_dir.h"

namespace orvano::basic {
namespace {

using testing::Bytes;
using testing::Join;
using testing::ProgramBuilder;
using Texts = std::vector<std::string>;

const std::string kData = ORVANO_TEST_DATA;

std::string Text(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

ProgramListing Msx(const Bytes& program) { return ListProgram(program, DialectChoice::Msx); }

TEST(MsxListing, ListsTheProgramLineForLine) {
  const Bytes program = testing::ReadHexFile(kData + "/msx.hex");
  const std::string expected = Text(testing::ReadFile(kData + "/msx.BAS"));
  for (const DialectChoice choice : {DialectChoice::Msx, DialectChoice::Auto}) {
    const ProgramListing listing = ListProgram(program, choice);
    EXPECT_EQ(listing.text, expected);
    EXPECT_EQ(listing.dialect, Dialect::Msx);
    EXPECT_EQ(listing.problems, Texts{});
  }
  EXPECT_EQ(ListProgram(program, DialectChoice::Auto).choice_line,
            "listed as MSX BASIC (constants and tokens fit MSX)");
  EXPECT_EQ(ListProgram(program, DialectChoice::Msx).choice_line, "listed as MSX BASIC");
  // A disk file has the same bytes after its marker.
  EXPECT_EQ(Msx(Join({{0xFF}, program})).text, expected);
}

TEST(MsxListing, StreamAndMemoryListTheSame) {
  const Bytes program = testing::ReadHexFile(kData + "/msx.hex");
  MemoryStream source(program);
  MemoryStream output;
  BasicDetokenizer detokenizer(&source, "", DialectChoice::Auto);
  const ProgramListing listing = detokenizer.ListTo(output);
  EXPECT_EQ(Text(output.Bytes()), Msx(program).text);
  EXPECT_EQ(listing.dialect, Dialect::Msx);
  EXPECT_EQ(listing.text, "");
}

struct RecordCase {
  const char* name;
  Bytes program;
  std::string listing;
};

const RecordCase kRecordCases[] = {
    {"no blank before a text that starts with a tab",
     ProgramBuilder().Line(10, {0x09, 0x91}).Line(20, {0x20, 0x09}).End(), "10\tPRINT\r\n20  \t\r\n"},
    {"a CR after each LF", ProgramBuilder().Line(10, {0x22, 0x0A, 0x41, 0x0A}).End(), "10 \"\n\rA\n\r\r\n"},
    {"empty line", ProgramBuilder().Line(10, {}).End(), "10 \r\n"},
    {"line 65530 is listed", ProgramBuilder().Line(65530, {0x81}).End(), "65530 END\r\n"},
    {"LIST stops above line 65530", ProgramBuilder().Line(10, {0x81}).Line(65531, {0x81}).Line(20, {0x81}).End(),
     "10 END\r\n"},
    {"a line number cut off before a tab", {0x01, 0x80, 0x09}, "0 \r\n"},
    {"nothing after the zero link is read",
     Join({ProgramBuilder().Line(10, {0x81}).End(), {0x01, 0x80, 0x14, 0x00, 0x81, 0x00}}), "10 END\r\n"},
};

TEST(MsxListing, WritesRecordsAsTheComputer) {
  for (const RecordCase& c : kRecordCases) EXPECT_EQ(Msx(c.program).text, c.listing) << c.name;
}

TEST(Listing, TakesALeading0xFFForALinkWhenTheLinksSaySo) {
  // A first line of 254 bytes: its link to 0x80FF starts with 0xFF.
  const Bytes program =
      ProgramBuilder().Line(10, Bytes(249, 'x')).Line(20, {0x81}).Line(30, {0x81}).End();
  ASSERT_EQ(program[0], 0xFF);
  const std::string listing = "10 " + std::string(249, 'x') + "\r\n20 END\r\n30 END\r\n";
  EXPECT_EQ(Msx(program).text, listing);
  EXPECT_EQ(Msx(Join({{0xFF}, program})).text, listing);
  EXPECT_EQ(ListProgram(program, DialectChoice::Korvet).text, listing);
}

// A file of zeros, larger than any program.
class ZeroStream final : public ByteStream {
 public:
  explicit ZeroStream(std::uint64_t size) : size_(size) {}
  std::uint64_t Size() const override { return size_; }
  std::uint64_t Position() const override { return position_; }

 protected:
  void DoSeek(std::uint64_t position) override { position_ = position; }
  void DoRead(std::span<std::uint8_t> out) override {
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    position_ += out.size();
  }
  void DoWrite(std::span<const std::uint8_t>) override {}

 private:
  std::uint64_t size_;
  std::uint64_t position_ = 0;
};

TEST(Listing, SaysWhenOnlyTheStartOfAHugeFileIsListed) {
  ZeroStream source(BasicDetokenizer::kMaxProgramSize + 1);
  MemoryStream output;
  BasicDetokenizer detokenizer(&source, "", DialectChoice::Msx);
  EXPECT_EQ(detokenizer.ListTo(output).problems, Texts{"only the first 16 MB of the file are listed"});
  EXPECT_EQ(source.Status(), StreamStatus::Ok);
}

TEST(MsxListing, CutsTheTextAt255CharactersWithoutTheNumber) {
  const Bytes text = Join({{0x8F}, Bytes(300, 'x')});
  const ProgramListing listing = Msx(ProgramBuilder().Line(12345, text).Line(20, {0x81}).End());
  EXPECT_EQ(listing.text, "12345 REM" + std::string(252, 'x') + "\r\n20 END\r\n");
  EXPECT_EQ(listing.problems, Texts{"line 12345: longer than 255 characters, cut"});
}

// GOTO with a line pointer 0x0D to the 0x00 before the line it names.
Bytes GotoPointer(std::uint16_t address) {
  return {0x89, 0x20, 0x0D, static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(address >> 8)};
}

TEST(MsxListing, ListsLinePointersAsTheLinesTheyPointAt) {
  // Lines at offsets 0 and 10 (END), 16 (GOTO) and 26; a pointer to a line
  // points at the byte before it, the 0x00 of the line before or, for the
  // first line, the byte below the program.
  for (const std::uint16_t base : {std::uint16_t{0x8001}, std::uint16_t{0xC001}}) {
    const Bytes program = ProgramBuilder(base)
                              .Line(100, GotoPointer(static_cast<std::uint16_t>(base + 15)))
                              .Line(200, {0x81})
                              .Line(300, GotoPointer(static_cast<std::uint16_t>(base - 1)))
                              .Line(400, {0x81})
                              .End();
    const ProgramListing listing = Msx(program);
    EXPECT_EQ(listing.text, "100 GOTO 300\r\n200 END\r\n300 GOTO 100\r\n400 END\r\n") << base;
    EXPECT_EQ(listing.problems, Texts{}) << base;
  }
}

TEST(MsxListing, ReportsAPointerAtNoLine) {
  // Into the middle of line 20: LIST prints the word three bytes on; and
  // beyond the program: the pointer itself.
  const Bytes program = ProgramBuilder()
                            .Line(10, GotoPointer(0x8001 + 14))
                            .Line(20, {0x81, 0x3A, 0x1C, 0x39, 0x30})
                            .Line(30, GotoPointer(0x9000))
                            .End();
  const ProgramListing listing = Msx(program);
  EXPECT_EQ(listing.text, "10 GOTO 12345\r\n20 END:12345\r\n30 GOTO 36864\r\n");
  EXPECT_EQ(listing.problems, (Texts{"line 10: line pointer &H800F points at no line",
                                     "line 30: line pointer &H9000 points at no line"}));
}

TEST(MsxListing, ReportsEachDamageWithItsLineNumber) {
  struct DamageCase {
    const char* name;
    Bytes program;
    std::string listing;
    Texts problems;
  };
  const Bytes good = ProgramBuilder().Line(10, {0x81}).Line(20, {0x8A}).Line(30, {0x90}).End();
  auto with_link = [&good](std::size_t line_offset, std::uint16_t link) {
    Bytes program = good;
    program[line_offset] = static_cast<std::uint8_t>(link & 0xFF);
    program[line_offset + 1] = static_cast<std::uint8_t>(link >> 8);
    return program;
  };
  const DamageCase cases[] = {
      {"token without keyword",
       ProgramBuilder().Line(10, {0x91, 0xFE}).End(),
       "10 PRINT\xFE\r\n",
       {"line 10: token 0xFE has no keyword"}},
      {"several tokens without keyword",
       ProgramBuilder().Line(10, {0x80, 0xFF, 0xB5, 0xFD}).End(),
       "10 \x80\xFF\xB5\xFD\r\n",
       {"line 10: 3 tokens, the first 0x80, have no keyword"}},
      {"constant cut off",
       Join({ProgramBuilder().Line(10, {0x81}).Unfinished(), {0x20, 0x80, 0x14, 0x00, 0x1D, 0x41}}),
       "10 END\r\n20 0!\r\n",
       {"line 20: a constant is cut off by the end of the program",
        "the program ends inside line 20, without its end mark"}},
      {"no end mark",
       ProgramBuilder().Line(10, {0x81}).Line(20, {0x8A}).Unfinished(),
       "10 END\r\n20 RUN\r\n",
       {"the program ends after line 20 without its end mark"}},
      {"nothing but part of a link", {0x01}, "", {"the program ends before its first line, without its end mark"}},
      {"link backwards",
       with_link(6, 0x8001),
       "10 END\r\n20 RUN\r\n30 STOP\r\n",
       {"line 20: its link points backwards"}},
      {"link outside",
       with_link(6, 0x9000),
       "10 END\r\n20 RUN\r\n30 STOP\r\n",
       {"line 20: its link points outside the program"}},
      {"link past the next line",
       with_link(0, 0x8001 + 13),
       "10 END\r\n20 RUN\r\n30 STOP\r\n",
       {"line 10: its link does not point at the next line"}},
      {"line above 65530",
       ProgramBuilder().Line(10, {0x81}).Line(65535, {0x81}).End(),
       "10 END\r\n",
       {"line 65535: not listed, nor any line after it: LIST stops above line 65530"}},
  };
  for (const DamageCase& c : cases) {
    const ProgramListing listing = Msx(c.program);
    EXPECT_EQ(listing.text, c.listing) << c.name;
    EXPECT_EQ(listing.problems, c.problems) << c.name;
  }
}

TEST(MsxListing, CountsTheProblemsBeyondTheFirstTwenty) {
  ProgramBuilder builder;
  for (std::uint16_t line = 1; line <= 25; ++line) builder.Line(line, {0xFE});
  const ProgramListing listing = Msx(builder.End());
  ASSERT_EQ(listing.problems.size(), kMaxProblems + 1);
  EXPECT_EQ(listing.problems.front(), "line 1: token 0xFE has no keyword");
  EXPECT_EQ(listing.problems[kMaxProblems - 1], "line 20: token 0xFE has no keyword");
  EXPECT_EQ(listing.problems.back(), "and 5 more problems");
}

TEST(KorvetListing, ReportsDamageToo) {
  const Bytes program = Join({ProgramBuilder().Line(10, {0xFF, 0xA5}).Unfinished(), {0x00, 0x00}});
  const ProgramListing listing = ListProgram(program, DialectChoice::Korvet);
  EXPECT_EQ(listing.choice_line, "listed as Korvet BASIC");
  EXPECT_EQ(listing.problems, Texts{"line 10: token 0xFF 0xA5 has no keyword"});
}

// The three-file tape image of the samples: its first file is a little
// BASIC loader, in the data block after the second block marker.
TEST(MsxListing, ListsTheLoaderOfTheSampleTape) {
  const std::string image = std::string(ORVANO_SAMPLES) + "/THREE.CAS";
  if (!std::filesystem::exists(image)) GTEST_SKIP() << "no " << image;
  const Bytes bytes = testing::ReadFile(image);
  const Bytes marker = {0x1F, 0xA6, 0xDE, 0xBA, 0xCC, 0x13, 0x7D, 0x74};
  std::vector<std::size_t> blocks;
  for (std::size_t at = 0; at + marker.size() <= bytes.size(); at += 8) {
    if (std::equal(marker.begin(), marker.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at))) {
      blocks.push_back(at + marker.size());
    }
  }
  ASSERT_GE(blocks.size(), 3u);
  const Bytes program(bytes.begin() + static_cast<std::ptrdiff_t>(blocks[1]),
                      bytes.begin() + static_cast<std::ptrdiff_t>(blocks[2] - marker.size()));
  EXPECT_EQ(Msx(program).text, "10 CLS\r\n20 PRINT \"LOADING...\"\r\n30 BLOAD\"CAS:\",R\r\n");
  // Its keywords are all keywords of Korvet BASIC as well; BLOAD with its
  // file name is what tells it, as it tells most loaders.
  const ProgramListing automatic = ListProgram(program, DialectChoice::Auto);
  EXPECT_EQ(automatic.dialect, Dialect::Msx);
  EXPECT_EQ(automatic.choice_line, "listed as MSX BASIC (tokens fit MSX)");
}

}  // namespace
}  // namespace orvano::basic
