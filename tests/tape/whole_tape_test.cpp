// A whole tape from the bit cells the demodulator hears to the outputs:
// the frame reader, the file assembly and the writers together.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <random>

#include "tape/cas_image.h"
#include "tape/frame_reader.h"
#include "tape/tape_outputs.h"
#include "tests/support/temp_dir.h"
#include "tests/tape/block_builders.h"
#include "tests/tape/tape_player.h"

namespace orvano::tape {
namespace {

using namespace testing;
using Json = nlohmann::json;
using Lines = std::vector<std::string>;

const Bytes kJunk{0xFE, 0, 0, 0, 0, 0, 0, 0};
const Bytes kProgram = ProgramBytes();

Bytes GameImage() {
  Bytes image(700);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return image;
}

const std::string kNotes = [] {
  std::string text;
  for (int line = 10; line <= 300; line += 10) text += std::to_string(line) + " REM some text\r\n";
  return text;
}();

// The blocks of a three-file tape with a custom loader's block after the
// second file: LOADER (BASIC), GAME (binary at C000), NOTES (text).
std::vector<Bytes> ThreeFiles() {
  std::vector<Bytes> blocks{HeaderBytes(0xD3, "LOADER"), BasicData(kProgram),
                            HeaderBytes(0xD0, "GAME"),   BinaryData(0xC000, 0xC2BB, 0xC010, GameImage()),
                            Bytes{0x55, 0xAA, 0x5A},     HeaderBytes(0xEA, "NOTES")};
  for (const Bytes& block : TextData(kNotes)) blocks.push_back(block);
  return blocks;
}

class WholeTape : public ::testing::Test {
 protected:
  // Plays the blocks, each with its options, and writes what was heard.
  Outcome Decode(const std::vector<Bytes>& blocks, const std::vector<TapePlayer::Options>& options) {
    FrameReader reader;
    TapePlayer player(reader);
    for (std::size_t i = 0; i < blocks.size(); ++i) player.Play(blocks[i], options[i % options.size()]);
    player.End();
    heard_ = reader.TakeBlocks();
    return WriteTapeOutputs("GAME.WAV", heard_, dir_.File("GAME"), ConversionOptions{}, reporter_);
  }
  std::string Out(std::string_view name) const { return dir_.File("GAME/" + std::string(name)); }
  Json Report() const { return Json::parse(ReadText(Out("report.json"))); }
  Lines Log() const { return reporter_.record.Texts(); }

  TempDir dir_;
  TableReporter reporter_;
  std::vector<TapeBlock> heard_;
};

TEST_F(WholeTape, FindsEveryFileOfATapeWithMixedSpeeds) {
  const std::vector<Bytes> blocks = ThreeFiles();
  // Each header at 1200 baud, the data behind it at 2400 baud.
  TapePlayer::Options slow{1225}, fast{2450};
  ASSERT_EQ(Decode(blocks, {slow, slow, slow, fast, fast, slow, fast, fast, fast}), Outcome::Success);

  EXPECT_EQ(ListDir(dir_.File("GAME")),
            (Lines{"01-LOADER.BAS", "01-LOADER.CAS", "02-GAME.BIN", "03-NOTES.TXT", "report.json", "tape.cas"}));
  EXPECT_EQ(ReadFile(Out("01-LOADER.CAS")), kProgram);
  EXPECT_EQ(ReadText(Out("01-LOADER.BAS")), "10 PRINT\r\n");
  EXPECT_EQ(ReadFile(Out("02-GAME.BIN")), GameImage());
  EXPECT_EQ(ReadText(Out("03-NOTES.TXT")), kNotes);
  std::vector<TapeBlock> clean;
  for (const Bytes& block : blocks) clean.push_back(Block(block));
  EXPECT_EQ(ReadFile(Out("tape.cas")), CasImageOf(clean));

  EXPECT_EQ(Log(), (Lines{
                       "01 BASIC \"LOADER\" 8 bytes, 1225 baud: complete -> 01-LOADER.CAS, 01-LOADER.BAS listed as "
                       "Korvet BASIC (nothing in it tells MSX from Korvet)",
                       "02 binary \"GAME\" 700 bytes, load C000, end C2BB, exec C010, 1225/2450 baud: complete -> "
                       "02-GAME.BIN",
                       "Block 5 at 13.842 s: 3 bytes of no file",
                       "03 text \"NOTES\" 561 bytes, 1225/2450 baud: complete -> 03-NOTES.TXT",
                       "GAME.WAV: 3 files (3 complete), 9 blocks, 0 framing errors; outputs in " + dir_.File("GAME"),
                   }));
  const Json report = Report();
  ASSERT_EQ(report["files"].size(), 3u);
  EXPECT_EQ(report["files"][1]["type"], "binary");
  EXPECT_EQ(report["files"][1]["load"], 0xC000);
  EXPECT_EQ(report["files"][1]["status"], "complete");
  EXPECT_EQ(report["files"][2]["blocks"], Json::parse("[6, 7, 8, 9]"));
  EXPECT_EQ(report["blocks"][3]["baud"], 2450.0);
  EXPECT_EQ(report["blocks"][4]["part"], "none");
  ASSERT_EQ(reporter_.documents.size(), 1u);
  EXPECT_EQ(Json::parse(reporter_.documents[0]), report);
  ASSERT_EQ(reporter_.tables.size(), 1u);
  EXPECT_EQ(reporter_.tables[0].rows[1], (Lines{"02", "binary", "GAME", "700", "C000", "C2BB", "C010", "1225/2450", "0",
                                                "complete", "02-GAME.BIN"}));
}

TEST_F(WholeTape, ReadsTheLayoutOfEncodersThatLeaveNoGapAndAddJunk) {
  // Junk after every header and after each file's last block, and the next
  // leader right behind the last byte.
  std::vector<Bytes> blocks = ThreeFiles();
  std::vector<Bytes> played = blocks;
  for (const std::size_t i : {0, 1, 2, 3, 5, 8}) played[i] = Join({played[i], kJunk});
  ASSERT_EQ(Decode(played, {{1225, true}}), Outcome::Success);

  std::vector<TapeBlock> clean;
  for (const Bytes& block : blocks) clean.push_back(Block(block));
  EXPECT_EQ(ReadFile(Out("tape.cas")), CasImageOf(clean));
  EXPECT_EQ(ReadFile(Out("02-GAME.BIN")), GameImage());
  const Lines log = Log();
  ASSERT_EQ(log.size(), 11u);
  EXPECT_EQ(log[1], "8 bytes after the header of file 01 ignored (block 1 at 0.250 s)");
  EXPECT_EQ(log[9], "8 bytes after data block 3 of file 03 ignored (block 9 at 24.139 s)");
}

TEST_F(WholeTape, GivesBackTheImageOfAnotherToolByteForByte) {
  const std::string path = std::string(ORVANO_SAMPLES) + "/THREE.CAS";
  if (!Exists(path)) GTEST_SKIP() << "no " << path;
  const Bytes original = ReadFile(path);
  std::vector<Bytes> blocks;
  // The image's padding goes to tape as it is, as if it were junk.
  for (const TapeBlock& block : ReadCasImage(original).blocks) blocks.push_back(block.bytes);
  ASSERT_EQ(Decode(blocks, {{1225, true}}), Outcome::Success);
  EXPECT_EQ(ReadFile(Out("tape.cas")), original);
}

TEST_F(WholeTape, WritesADamagedFileAndSaysWhere) {
  const std::vector<Bytes> blocks = ThreeFiles();
  TapePlayer::Options clean{1225}, damaged{1225, false, {10, 600}};
  ASSERT_EQ(Decode(blocks, {clean, clean, clean, damaged, clean, clean, clean, clean, clean}), Outcome::Success);
  EXPECT_EQ(ReadFile(Out("02-GAME.BIN")), GameImage());
  const Lines log = Log();
  EXPECT_EQ(log[1],
            "02 binary \"GAME\" 700 bytes, load C000, end C2BB, exec C010, 1225 baud: damaged; 2 framing errors at "
            "9.762, 15.058 s -> 02-GAME.BIN");
  EXPECT_EQ(log.back().substr(0, 61), "GAME.WAV: 3 files (2 complete, 1 damaged), 9 blocks, 2 framin");
  const Json report = Report();
  EXPECT_EQ(report["files"][1]["status"], "damaged");
  EXPECT_EQ(report["files"][1]["framing_errors"], Json::parse("[9.762, 15.058]"));
  EXPECT_EQ(report["files"][1]["problems"][0]["kind"], "framing_errors");
}

TEST_F(WholeTape, WritesWhatThereIsOfAnIncompleteFile) {
  const struct {
    const char* what;
    std::vector<Bytes> blocks;
    std::vector<TapePlayer::Options> options;
    Lines files;
    std::string line;
  } cases[] = {
      {"the tape ends inside the data",
       {HeaderBytes(0xD0, "GAME"), BinaryData(0xC000, 0xC2BB, 0xC010, GameImage())},
       {{1225}, {1225, false, {}, 300}},
       {"01-GAME.BIN", "report.json", "tape.cas"},
       "01 binary \"GAME\" 294 bytes, load C000, end C2BB, exec C010, 1225 baud: incomplete; block 2 at 2.894 s "
       "holds 294 of 700 bytes -> 01-GAME.BIN"},
      {"the tape ends after the header",
       {HeaderBytes(0xD3, "LOADER")},
       {{1225}},
       {"report.json", "tape.cas"},
       "01 BASIC \"LOADER\" 1225 baud: incomplete; no data block follows the header, block 1 at 0.250 s"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    reporter_ = {};
    std::filesystem::remove_all(dir_.File("GAME"));
    EXPECT_EQ(Decode(c.blocks, c.options), Outcome::Success);
    EXPECT_EQ(ListDir(dir_.File("GAME")), c.files);
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log()[0], c.line);
  }
  EXPECT_EQ(ReadFile(Out("tape.cas")), CasImageOf(std::vector<TapeBlock>{Block(HeaderBytes(0xD3, "LOADER"))}));
}

TEST_F(WholeTape, FindsNoFileInNoiseButKeepsItsBlocks) {
  std::mt19937 random(7);
  std::vector<Bytes> blocks(3);
  for (Bytes& block : blocks) {
    for (int i = 0; i < 40; ++i) block.push_back(static_cast<std::uint8_t>(random()));
  }
  EXPECT_EQ(Decode(blocks, {{1225}}), Outcome::Failure);
  EXPECT_EQ(ListDir(dir_.File("GAME")), (Lines{"report.json", "tape.cas"}));
  EXPECT_EQ(Log().back(), "GAME.WAV: no tape file found, 3 blocks, 0 framing errors; outputs in " + dir_.File("GAME"));
  EXPECT_TRUE(Report()["files"].empty());
}

TEST_F(WholeTape, ASecondRunReplacesTheOutputsWhole) {
  ASSERT_EQ(Decode(ThreeFiles(), {{1225}}), Outcome::Success);
  const std::vector<Bytes> shorter{HeaderBytes(0xD0, "GAME"), BinaryData(0x9000, 0x9001, 0x9000, {1, 2})};
  ASSERT_EQ(Decode(shorter, {{1225}}), Outcome::Success);
  EXPECT_EQ(ReadFile(Out("02-GAME.BIN")), GameImage());  // another run's file of another name stays
  EXPECT_EQ(ReadFile(Out("01-GAME.BIN")), (Bytes{1, 2}));
  std::vector<TapeBlock> clean;
  for (const Bytes& block : shorter) clean.push_back(Block(block));
  EXPECT_EQ(ReadFile(Out("tape.cas")), CasImageOf(clean));
  EXPECT_EQ(Report()["files"].size(), 1u);
}

TEST_F(WholeTape, AFolderThatCannotBeMadeIsReportedAndNothingIsWritten) {
  WriteFile(dir_.File("GAME"), "a file where the folder should be");
  EXPECT_EQ(Decode(ThreeFiles(), {{1225}}), Outcome::Failure);
  EXPECT_EQ(Log().front(), "Can't create folder " + dir_.File("GAME") + ": Not a directory");
  EXPECT_EQ(Log().back(), "GAME.WAV: 3 files (3 complete), 9 blocks, 0 framing errors");
  EXPECT_EQ(ReadText(dir_.File("GAME")), "a file where the folder should be");
}

}  // namespace
}  // namespace orvano::tape
