#include "tape/image_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "tape/cas_image.h"
#include "tests/support/temp_dir.h"
#include "tests/tape/block_builders.h"
#include "tests/tape/tape_player.h"

namespace orvano::tape {
namespace {

using namespace testing;
using Lines = std::vector<std::string>;

Bytes Image(std::initializer_list<Bytes> blocks) {
  std::vector<TapeBlock> all;
  for (const Bytes& block : blocks) all.push_back(Block(block));
  return CasImageOf(all);
}

const Bytes kImage{0x3E, 0x41, 0xCD, 0xA2, 0x00, 0xC9};
const Bytes kBinary = Image({HeaderBytes(0xD0, "GAME"), BinaryData(0x9000, 0x9005, 0x9000, kImage)});

class ImageFiles : public ::testing::Test {
 protected:
  std::string Write(const Bytes& image) {
    WriteFile(path_, image);
    return path_;
  }
  std::string Out(std::string_view name) const { return dir_.File("OUT/" + std::string(name)); }
  Lines Log() const { return reporter_.record.Texts(); }
  bool HasLine(const std::string& line) const {
    const Lines log = Log();
    return std::find(log.begin(), log.end(), line) != log.end();
  }

  TempDir dir_;
  std::string path_ = dir_.File("TAPE.CAS");
  TableReporter reporter_;
};

TEST_F(ImageFiles, ListsEveryFileAndEveryBlockOfNoFile) {
  Write(Image({HeaderBytes(0xD3, "PROG"),
               BasicData(ProgramBytes()),
               {0x55, 0xAA},
               HeaderBytes(0xEA, "NOTE"),
               TextData("hi\r\n")[0]}));
  EXPECT_EQ(ListCasImage(path_, reporter_), Outcome::Success);
  EXPECT_EQ(Log(), (Lines{
                       "Open file " + path_ + " for reading",
                       "01 BASIC \"PROG\" 8 bytes: complete",
                       "Block 3: 8 bytes of no file",
                       "02 text \"NOTE\" 4 bytes: complete",
                       path_ + ": 2 files (2 complete), 5 blocks",
                   }));
  // Nothing is written by a listing.
  EXPECT_EQ(ListDir(dir_.Path()), Lines{"TAPE.CAS"});
  ASSERT_EQ(reporter_.documents.size(), 1u);
  const auto report = nlohmann::json::parse(reporter_.documents[0]);
  EXPECT_EQ(report["files"][1]["type"], "text");
  EXPECT_FALSE(report["files"][1].contains("outputs"));
  ASSERT_EQ(reporter_.tables.size(), 1u);
  EXPECT_EQ(reporter_.tables[0].rows.size(), 2u);
}

TEST_F(ImageFiles, ExtractsUnderTheNamesOfTheWholeTapeDecoder) {
  const std::string three = std::string(ORVANO_SAMPLES) + "/THREE.CAS";
  if (!Exists(three)) GTEST_SKIP() << "no " << three;
  Write(ReadFile(three));
  EXPECT_EQ(ExtractCasImage(path_, dir_.File("OUT"), ConversionOptions{}, reporter_), Outcome::Success);
  EXPECT_EQ(ListDir(dir_.File("OUT")), (Lines{"01-LOADER.BAS", "01-LOADER.CAS", "02-GAME.BIN", "03-NOTES.TXT"}));
  EXPECT_EQ(ReadFile(Out("02-GAME.BIN")).size(), 1500u);
  const std::string listing = ReadText(Out("01-LOADER.BAS"));
  EXPECT_NE(listing.find("20 PRINT \"LOADING...\"\r\n"), std::string::npos) << listing;
  const std::string text = ReadText(Out("03-NOTES.TXT"));
  EXPECT_EQ(text.substr(0, 32), "10 REM a line of an ASCII file\r\n");
  EXPECT_EQ(text.find('\x1A'), std::string::npos);
  EXPECT_EQ(Log().back(), path_ + ": 3 files (3 complete), 9 blocks; outputs in " + dir_.File("OUT"));
}

TEST_F(ImageFiles, ExtractsBesideTheImageByDefault) {
  Write(kBinary);
  EXPECT_EQ(ExtractCasImage(path_, "", ConversionOptions{}, reporter_), Outcome::Success);
  EXPECT_EQ(ReadFile(dir_.File("TAPE/01-GAME.BIN")), kImage);
}

TEST_F(ImageFiles, ReadsIrregularImagesAsFarAsTheyGoAndSaysWhatIsWrong) {
  const Bytes marker(kCasMarker.begin(), kCasMarker.end());
  const Bytes three_files =
      Image({HeaderBytes(0xD3, "PROG"), BasicData(ProgramBytes()), HeaderBytes(0xD0, "GAME"),
             BinaryData(0x9000, 0x9005, 0x9000, kImage), HeaderBytes(0xEA, "NOTE"), TextData("hi\r\n")[0]});
  const struct {
    const char* what;
    Bytes image;
    Lines written;  // what an extraction writes
    std::string line;
  } cases[] = {
      {"cut inside a block",
       Bytes(kBinary.begin(), kBinary.end() - 4),
       {"01-GAME.BIN"},
       "01 binary \"GAME\" 2 bytes, load 9000, end 9005, exec 9000: incomplete; block 2 holds 2 of 6 bytes"},
      {"cut inside a marker",
       Join({kBinary, Bytes(4, 0), Bytes(marker.begin(), marker.begin() + 5)}),
       {"01-GAME.BIN"},
       "The image ends inside a block marker at offset 48"},
      {"an unaligned marker",
       Join({marker, HeaderBytes(0xD0, "GAME"), Bytes(3, 0), marker, BinaryData(0x9000, 0x9005, 0x9000, kImage)}),
       {"01-GAME.BIN"},
       "Block marker at offset 27 is not on a multiple of 8"},
      {"a header without data",
       Image({HeaderBytes(0xD0, "GAME"), HeaderBytes(0xD3, "PROG"), BasicData(ProgramBytes())}),
       {"02-PROG.BAS", "02-PROG.CAS"},
       "01 binary \"GAME\": incomplete; no data block follows the header, block 1"},
      {"an end below the load address",
       Image({HeaderBytes(0xD0, "GAME"), BinaryData(0x9000, 0x8000, 0x9000, kImage)}),
       {},
       "01 binary \"GAME\" load 9000, end 8000, exec 9000: damaged; end 8000 lies below load 9000; block 2 is "
       "kept as a block of no file"},
      {"a text without its end",
       Image({HeaderBytes(0xEA, "NOTE"), Bytes(256, 'a')}),
       {"01-NOTE.TXT"},
       "01 text \"NOTE\" 256 bytes: incomplete; no end mark 1A up to block 2"},
      {"bytes after the last block",
       Join({three_files, BytesOfText("EXTRA!!!")}),
       {"01-PROG.BAS", "01-PROG.CAS", "02-GAME.BIN", "03-NOTE.TXT"},
       "8 bytes after the data block of file 03 ignored (block 6)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Write(c.image);
    reporter_ = {};
    EXPECT_EQ(ListCasImage(path_, reporter_), Outcome::Success);
    EXPECT_TRUE(HasLine(c.line)) << ::testing::PrintToString(Log());
    std::filesystem::remove_all(dir_.File("OUT"));
    EXPECT_EQ(ExtractCasImage(path_, dir_.File("OUT"), ConversionOptions{}, reporter_), Outcome::Success);
    EXPECT_EQ(ListDir(dir_.File("OUT")), c.written);
  }
}

TEST_F(ImageFiles, RefusesWhatIsNoImageAndWritesNothing) {
  const struct {
    const char* what;
    Bytes image;  // none: no file at all
    std::string line;
  } cases[] = {
      {"empty", {}, "File @ is empty"},
      {"no marker", BytesOfText("10 PRINT\r\n"), "File @ is no tape image: it holds no block marker"},
      {"missing", {0x01}, "Error open file @"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ::unlink(path_.c_str());
    if (c.image != Bytes{0x01}) Write(c.image);
    std::string line = c.line;
    line.replace(line.find('@'), 1, path_);
    for (const bool extract : {false, true}) {
      reporter_ = {};
      const Outcome outcome = extract ? ExtractCasImage(path_, dir_.File("OUT"), ConversionOptions{}, reporter_)
                                      : ListCasImage(path_, reporter_);
      EXPECT_EQ(outcome, Outcome::Failure);
      EXPECT_EQ(Log(), (Lines{"Open file " + path_ + " for reading", line}));
      // Whoever asked for the report instead of the log learns it too.
      ASSERT_EQ(reporter_.documents.size(), 1u);
      EXPECT_EQ(nlohmann::json::parse(reporter_.documents[0])["error"], line);
      EXPECT_FALSE(Exists(dir_.File("OUT")));
    }
  }
}

TEST_F(ImageFiles, RefusesAnImageOver16MegabytesBeforeReadingIt) {
  Write(kBinary);
  ASSERT_EQ(::truncate(path_.c_str(), kMaxCasImageBytes + 1), 0);
  EXPECT_EQ(ExtractCasImage(path_, dir_.File("OUT"), ConversionOptions{}, reporter_), Outcome::Failure);
  EXPECT_EQ(Log().back(), "File " + path_ + " is too large for a tape image: 16777217 bytes, at most 16777216");
  EXPECT_FALSE(Exists(dir_.File("OUT")));
  // Exactly 16 MB is still an image: its padding is the last block's zeros.
  ASSERT_EQ(::truncate(path_.c_str(), kMaxCasImageBytes), 0);
  reporter_ = {};
  EXPECT_EQ(ListCasImage(path_, reporter_), Outcome::Success);
}

TEST_F(ImageFiles, NeverWritesOverTheImageItself) {
  path_ = dir_.File("OUT/01-GAME.BIN");
  std::filesystem::create_directory(dir_.File("OUT"));
  Write(kBinary);
  EXPECT_EQ(ExtractCasImage(path_, dir_.File("OUT"), ConversionOptions{}, reporter_), Outcome::Failure);
  EXPECT_TRUE(HasLine("Can't create file " + path_ + ": it is the input file"));
  EXPECT_EQ(ReadFile(path_), kBinary);
}

}  // namespace
}  // namespace orvano::tape
