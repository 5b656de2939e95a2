#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "common/recording_reporter.h"
#include "encode/cas_pack.h"
#include "encode/convert_source.h"
#include "encode/tape_file_blocks.h"
#include "encode/tape_signal.h"
#include "tape/cas_image.h"
#include "tests/encode/tape_images.h"
#include "tests/support/temp_dir.h"

namespace orvano::encode {
namespace {

using orvano::testing::ListDir;
using orvano::testing::ReadFile;
using orvano::testing::TempDir;
using orvano::testing::WriteFile;
using namespace testing;
using Lines = std::vector<std::string>;

const Bytes kMarker(tape::kCasMarker.begin(), tape::kCasMarker.end());

ConversionOptions Options(std::uint16_t load, std::uint16_t start, Baud baud = Baud::k1200, bool wave = false) {
  ConversionOptions options;
  options.LoadAddr = load;
  options.StartAddr = start;
  options.baud = baud;
  options.WriteWave = wave;
  return options;
}

// The blocks behind their markers, each padded up to the next.
Bytes PlainImage(const std::vector<Bytes>& blocks) {
  Bytes image;
  for (const Bytes& block : blocks) tape::AppendCasBlock(image, block);
  return image;
}

TEST(TapeFileBlocks, EachKindAsNewPutsItOnTape) {
  const struct {
    SourceKind kind;
    Bytes source;
    std::vector<Bytes> data;  // the blocks behind the header
  } cases[] = {
      {SourceKind::Binary, {0xC9, 0x00, 0x01}, {{0x00, 0xC0, 0x02, 0xC0, 0x10, 0xC0, 0xC9, 0x00, 0x01}}},
      {SourceKind::Command, Bytes(0x4001, 7), {Join({{0x00, 0xC0, 0x00, 0x00, 0x10, 0xC0}, Bytes(0x4001, 7)})}},
      {SourceKind::Basic, {0xFF, 0x01, 0xFF}, {Join({{0x01, 0xFF}, Bytes(10, 0)})}},
      {SourceKind::Basic, {0x01, 0xFF}, {Join({{0x01, 0xFF}, Bytes(10, 0)})}},
      {SourceKind::Text, Pattern(0, 257), {Pattern(0, 256), Join({Pattern(256, 257), Bytes(255, 0x1A)})}},
      {SourceKind::Text, Pattern(0, 256), {Pattern(0, 256), Bytes(256, 0x1A)}},
  };
  constexpr std::uint8_t kTypes[] = {0, 0xEA, 0xD3, 0xD0, 0xD0};  // by SourceKind
  for (const auto& c : cases) {
    std::vector<Bytes> expected{HeaderOf(kTypes[static_cast<int>(c.kind)], "NAME  ")};
    expected.insert(expected.end(), c.data.begin(), c.data.end());
    EXPECT_EQ(TapeFileBlocks(c.kind, "NAME  ", c.source, Options(0xC000, 0xC010)), expected)
        << static_cast<int>(c.kind) << " of " << c.source.size();
  }
}

TEST(ImageOfBlocks, PadsTheEndOnlyWhereItWouldReadAsACutMarker) {
  const std::pair<Bytes, std::size_t> cases[] = {
      {{1, 2, 3, 4, 5, 6, 7, 8, 0x1F, 0xA6}, 6},
      {{0x1F, 0xA6, 0xDE, 0xBA, 0xCC, 0x13, 0x7D}, 1},
      {{1, 2, 3, 4, 5, 6, 7, 0x1F, 0xA6}, 0},
  };
  for (const auto& [last, padding] : cases) {
    const std::vector<Block> blocks{HeaderOf(0xD0, "GAME  "), last};
    const Bytes image = ImageOfBlocks(blocks);
    EXPECT_EQ(image, Join({kMarker, blocks[0], kMarker, last, Bytes(padding, 0)}));
    EXPECT_TRUE(tape::ReadCasImage(image).issues.empty());
  }
}

TEST(PackCasImage, EverySourceBecomesOneFileInTheGivenOrder) {
  TempDir dir;
  WriteFile(dir.File("loader.cas"), Bytes{0xFF, 0x07, 0x80, 0x0A, 0x00, 0x91, 0x00, 0x00, 0x00});
  WriteFile(dir.File("Game.bin"), Pattern(0, 1500));
  WriteFile(dir.File("notes.txt"), Pattern(0, 300));
  RecordingReporter reporter;
  const std::vector<std::string> sources{dir.File("loader.cas"), dir.File("Game.bin"), dir.File("notes.txt")};
  ASSERT_EQ(PackCasImage(dir.File("OUT.cas"), sources, Options(0xC000, 0xC000), std::nullopt, reporter),
            Outcome::Success);
  const Bytes image = ReadFile(dir.File("OUT.cas"));
  EXPECT_EQ(image, PlainImage({HeaderOf(0xD3, "LOADER"), Join({{0x07, 0x80, 0x0A, 0x00, 0x91, 0, 0, 0}, Bytes(10, 0)}),
                               HeaderOf(0xD0, "GAME  "), Join({{0x00, 0xC0, 0xDB, 0xC5, 0x00, 0xC0}, Pattern(0, 1500)}),
                               HeaderOf(0xEA, "NOTES "), Pattern(0, 256), Join({Pattern(256, 300), Bytes(212, 0x1A)})}));
  EXPECT_EQ(reporter.Texts(),
            (Lines{"Reading file " + sources[0], "Reading file " + sources[1], "Reading file " + sources[2],
                   "Add BASIC file [LOADER]: 9 bytes",
                   "Add binary file [GAME  ]: 1500 bytes, load 0xC000, end 0xC5DB, start 0xC000",
                   "Add text file [NOTES ]: 300 bytes in 2 blocks",
                   "Tape image " + dir.File("OUT.cas") + ": 3 files, 7 blocks, " + std::to_string(image.size()) +
                       " bytes",
                   "Sucessfully!!!"}));
}

TEST(PackCasImage, AGivenNameIsCutOrPaddedAndForASingleSourceOnly) {
  TempDir dir;
  WriteFile(dir.File("a.bin"), Bytes{0xC9});
  for (const auto& [name, on_tape] : {std::pair{"ab", "ab    "}, std::pair{"SEVENTH", "SEVENT"}}) {
    RecordingReporter reporter;
    ASSERT_EQ(PackCasImage(dir.File("OUT.CAS"), std::vector{dir.File("a.bin")}, {}, name, reporter), Outcome::Success);
    EXPECT_EQ(tape::ReadCasImage(ReadFile(dir.File("OUT.CAS"))).blocks.at(0).bytes, HeaderOf(0xD0, on_tape));
  }
  RecordingReporter reporter;
  EXPECT_EQ(PackCasImage(dir.File("TWO.CAS"), std::vector{dir.File("a.bin"), dir.File("a.bin")}, {}, "ab", reporter),
            Outcome::Failure);
  EXPECT_EQ(reporter.Texts(), Lines{"A tape name can be given for a single file only, not for 2"});
  EXPECT_EQ(ListDir(dir.Path()), (Lines{"OUT.CAS", "a.bin"}));
}

// Every bad source is reported, then nothing is written; an earlier output
// of that name stays as it was.
TEST(PackCasImage, BadSourcesAreAllReportedAndNothingIsWritten) {
  const struct {
    const char* source;
    std::function<void(const std::string&)> prepare;
    std::string line;  // S stands for the source's name
  } cases[] = {
      {"x.zip", [](const std::string& path) { WriteFile(path, Bytes{1}); },
       "File: S is not a file to put on tape (.BIN, .COM, .CAS, .TXT, .BAS, .PAS or .DOC)"},
      {"x.bin", [](const std::string&) {}, "Error open file S"},
      {"x.bin", [](const std::string& path) { std::filesystem::create_directory(path); }, "Error open file S"},
      {"x.txt", [](const std::string& path) { WriteFile(path, Bytes{}); }, "File: S is empty"},
      {"x.bin",
       [](const std::string& path) {
         WriteFile(path, Bytes{1});
         std::filesystem::resize_file(path, 16 * 1024 * 1024 + 1);
       },
       "File: S is too large: a tape image holds at most 16 MB"},
      {"x.cas", [](const std::string& path) { WriteFile(path, PlainImage({HeaderOf(0xD0, "GAME  ")})); },
       "File: S is a tape image, not a tokenised program"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    TempDir dir;
    const std::string source = dir.File(c.source);
    c.prepare(source);
    WriteFile(dir.File("good.bin"), Bytes{0xC9});
    WriteFile(dir.File("OUT.CAS"), "earlier");
    const Lines files = ListDir(dir.Path());
    RecordingReporter reporter;
    EXPECT_EQ(PackCasImage(dir.File("OUT.CAS"), std::vector{dir.File("good.bin"), source, source}, {}, std::nullopt,
                           reporter),
              Outcome::Failure);
    std::string line = c.line;
    line.replace(line.find('S'), 1, source);
    EXPECT_EQ(reporter.Texts(),
              (Lines{"Reading file " + dir.File("good.bin"), "Reading file " + source, line, "Reading file " + source,
                     line, "Nothing is written to " + dir.File("OUT.CAS")}));
    EXPECT_EQ(ListDir(dir.Path()), files);
    EXPECT_EQ(orvano::testing::ReadText(dir.File("OUT.CAS")), "earlier");
  }
}

TEST(PackCasImage, OutputsThatCannotBeWritten) {
  TempDir dir;
  WriteFile(dir.File("game.bin"), Bytes{0xC9});
  WriteFile(dir.File("big.bin"), Bytes{1});
  std::filesystem::resize_file(dir.File("big.bin"), 9 * 1024 * 1024);
  const struct {
    std::vector<std::string> sources;
    std::string output;
    std::string line;
  } cases[] = {
      {{dir.File("game.bin")}, dir.File("game.bin"), "Can't create file " + dir.File("game.bin") + ": it is the input file"},
      {{dir.File("game.bin")}, dir.File("none/OUT.CAS"), "Can't create file " + dir.File("none/OUT.CAS")},
      {{dir.File("big.bin"), dir.File("big.bin")}, dir.File("OUT.CAS"),
       "File: " + dir.File("OUT.CAS") + " is too large: a tape image holds at most 16 MB"},
      {{}, dir.File("OUT.CAS"), "No file to put into the tape image " + dir.File("OUT.CAS")},
  };
  for (const auto& c : cases) {
    RecordingReporter reporter;
    EXPECT_EQ(PackCasImage(c.output, c.sources, {}, std::nullopt, reporter), Outcome::Failure);
    EXPECT_EQ(reporter.Texts().back(), c.line);
  }
  EXPECT_EQ(ListDir(dir.Path()), (Lines{"big.bin", "game.bin"}));
  EXPECT_EQ(ReadFile(dir.File("game.bin")), Bytes{0xC9});
}

TEST(PackCasImage, WarnsAboutWhatWouldBeReadOtherwiseThanMeant) {
  const struct {
    Bytes source;
    std::uint16_t load;
    Lines warnings;
  } cases[] = {
      {Bytes(0x1000, 0xC9), 0xF000, {}},
      {Bytes(0x1001, 0xC9), 0xF000,
       {"The binary file [GAME  ] does not fit below 64 KB from 0xF000: its end address wraps around"}},
      {Join({{1, 2, 3}, kMarker}), 0x9000,
       {"The data of [GAME  ] holds the block marker: a reader of the image splits the block there"}},
  };
  for (const auto& c : cases) {
    TempDir dir;
    WriteFile(dir.File("game.bin"), c.source);
    RecordingReporter reporter;
    EXPECT_EQ(PackCasImage(dir.File("OUT.CAS"), std::vector{dir.File("game.bin")}, Options(c.load, c.load),
                           std::nullopt, reporter),
              Outcome::Success);
    Lines warnings;
    for (const auto& event : reporter.Events()) {
      if (event.line == LineKind::Warning) warnings.push_back(event.text);
    }
    EXPECT_EQ(warnings, c.warnings);
  }
}

// A packed file played back is the signal New makes of the source itself,
// but for the end mark New puts behind a text's last block.
TEST(PackCasImage, PlayingAPackedFileGivesNewsSignal) {
  const std::tuple<const char*, Bytes, std::size_t> cases[] = {
      {"game.bin", Pattern(0, 1000), 0}, {"prog.cas", Join({{0xFF}, Pattern(0, 77)}), 0}, {"notes.txt", Pattern(0, 300), 1}};
  for (const Baud baud : {Baud::k1200, Baud::k2400}) {
    for (const auto& [file, source, end_marks] : cases) {
      SCOPED_TRACE(file);
      TempDir dir;
      std::filesystem::create_directory(dir.File("new"));
      const std::string path = dir.File("new/") + file;
      WriteFile(path, source);
      const ConversionOptions options = Options(0xA000, 0xA010, baud);
      RecordingReporter reporter;
      FileNameSet direct;
      FileNameSet played;
      ASSERT_EQ(ConvertSource(path, direct, options, reporter), Outcome::Success);
      ASSERT_EQ(PackCasImage(dir.File("P.CAS"), std::vector{path}, options, std::nullopt, reporter), Outcome::Success);
      ASSERT_EQ(ConvertSource(dir.File("P.CAS"), played, options, reporter), Outcome::Success);
      Bytes expected = ReadFile(direct.MsrName);
      expected.resize(expected.size() - end_marks * FrameBytes(TimingFor(baud)));
      EXPECT_EQ(ReadFile(played.MsrName), expected);
    }
  }
}

// One to five sources of every kind, packed and played at both speeds, raw
// and WAV: the signal holds every block of the image in order, its padding
// included, each behind the leader of its kind.
TEST(PackCasImage, OneToFiveFilesArePlayedBlockByBlock) {
  const std::tuple<const char*, SourceKind, Bytes> sources[] = {
      {"one.bin", SourceKind::Binary, Pattern(0, 5)},     {"two.cas", SourceKind::Basic, Join({{0xFF}, Pattern(0, 30)})},
      {"three.txt", SourceKind::Text, Pattern(0, 513)},   {"four.com", SourceKind::Binary, Pattern(0, 64)},
      {"five.doc", SourceKind::Text, Pattern(0, 256)},
  };
  for (std::size_t count = 1; count <= 5; ++count) {
    for (const Baud baud : {Baud::k1200, Baud::k2400}) {
      for (const bool wave : {false, true}) {
        SCOPED_TRACE(std::to_string(count) + (baud == Baud::k2400 ? " at 2400" : " at 1200") + (wave ? " wave" : ""));
        TempDir dir;
        std::vector<std::string> names;
        std::vector<PlayedBlock> played;
        for (const auto& [file, kind, bytes] : std::span(sources).first(count)) {
          names.push_back(dir.File(file));
          WriteFile(names.back(), bytes);
          const std::vector<Bytes> blocks = TapeFileBlocks(kind, UpperCaseName(TapeName(file)), bytes, {});
          for (std::size_t b = 0; b < blocks.size(); ++b) played.push_back({blocks[b], b == 0});
        }
        for (std::size_t i = 0; i + 1 < played.size(); ++i) played[i].bytes.resize((played[i].bytes.size() + 7) / 8 * 8);
        const ConversionOptions options = Options(0x9000, 0x9000, baud, wave);
        RecordingReporter reporter;
        FileNameSet output;
        ASSERT_EQ(PackCasImage(dir.File("ALL.CAS"), names, options, std::nullopt, reporter), Outcome::Success);
        ASSERT_EQ(ConvertSource(dir.File("ALL.CAS"), output, options, reporter), Outcome::Success);
        Bytes signal = ReadFile(output.MsrName);
        signal.erase(signal.begin(), signal.begin() + (wave ? 44 : 0));
        EXPECT_EQ(ReadSignal(signal, ShapesFor(TimingFor(baud))), PlayedTape(played, TimingFor(baud)));
      }
    }
  }
}

}  // namespace
}  // namespace orvano::encode
