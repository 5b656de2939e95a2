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
using Event = RecordingReporter::Event;
using Lines = std::vector<std::string>;

ConversionOptions Addresses(std::uint16_t load, std::uint16_t start) {
  ConversionOptions options;
  options.LoadAddr = load;
  options.StartAddr = start;
  return options;
}

TEST(TapeFileBlocks, EachKindAsNewPutsItOnTape) {
  const struct {
    const char* what;
    SourceKind kind;
    Bytes source;
    ConversionOptions options;
    std::vector<Bytes> data;  // the blocks behind the header
    std::uint8_t type;
  } cases[] = {
      {"binary", SourceKind::Binary, {0xC9, 0x00, 0x01}, Addresses(0xC000, 0xC010),
       {{0x00, 0xC0, 0x02, 0xC0, 0x10, 0xC0, 0xC9, 0x00, 0x01}}, 0xD0},
      {"binary wrapping at 64K", SourceKind::Binary, {1, 2}, Addresses(0xFFFF, 0x00AB),
       {{0xFF, 0xFF, 0x00, 0x00, 0xAB, 0x00, 1, 2}}, 0xD0},
      {"command", SourceKind::Command, {0xC9}, Addresses(0x0100, 0x0100), {{0x00, 0x01, 0x00, 0x01, 0x00, 0x01, 0xC9}},
       0xD0},
      {"BASIC with the disk marker", SourceKind::Basic, {0xFF, 0x01, 0xFF}, {}, {Join({{0x01, 0xFF}, Bytes(10, 0)})},
       0xD3},
      {"BASIC without it", SourceKind::Basic, {0x01, 0xFF}, {}, {Join({{0x01, 0xFF}, Bytes(10, 0)})}, 0xD3},
      {"BASIC of the marker alone", SourceKind::Basic, {0xFF}, {}, {Bytes(10, 0)}, 0xD3},
      {"text of one byte", SourceKind::Text, Pattern(0, 1), {}, {Join({Pattern(0, 1), Bytes(255, 0x1A)})}, 0xEA},
      {"text of 257 bytes", SourceKind::Text, Pattern(0, 257), {},
       {Pattern(0, 256), Join({Pattern(256, 257), Bytes(255, 0x1A)})}, 0xEA},
      {"text filling its block", SourceKind::Text, Pattern(0, 256), {}, {Pattern(0, 256), Bytes(256, 0x1A)}, 0xEA},
      {"text with its own end mark", SourceKind::Text, Join({Pattern(0, 3), {0x1A}}), {},
       {Join({Pattern(0, 3), Bytes(253, 0x1A)})}, 0xEA},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Bytes> expected{HeaderOf(c.type, "NAME  ")};
    expected.insert(expected.end(), c.data.begin(), c.data.end());
    EXPECT_EQ(TapeFileBlocks(c.kind, "NAME  ", c.source, c.options), expected);
  }
  EXPECT_TRUE(TapeFileBlocks(SourceKind::None, "NAME  ", Bytes{1}, {}).empty());
}

struct Pack {
  Outcome outcome;
  RecordingReporter reporter;
};

std::unique_ptr<Pack> PackFiles(const std::string& output, const std::vector<std::string>& sources,
                                const ConversionOptions& options = {},
                                const std::optional<std::string>& name = std::nullopt) {
  auto pack = std::make_unique<Pack>();
  pack->outcome = PackCasImage(output, sources, options, name, pack->reporter);
  return pack;
}

// The blocks behind their markers, each padded up to the next.
Bytes PlainImage(const std::vector<Bytes>& blocks) {
  Bytes image;
  for (const Bytes& block : blocks) tape::AppendCasBlock(image, block);
  return image;
}

TEST(PackCasImage, EverySourceBecomesOneFileInTheGivenOrder) {
  TempDir dir;
  WriteFile(dir.File("loader.cas"), Bytes{0xFF, 0x07, 0x80, 0x0A, 0x00, 0x91, 0x00, 0x00, 0x00});
  WriteFile(dir.File("Game.bin"), Pattern(0, 1500));
  WriteFile(dir.File("notes.txt"), Pattern(0, 300));
  const auto pack = PackFiles(dir.File("OUT.cas"), {dir.File("loader.cas"), dir.File("Game.bin"), dir.File("notes.txt")},
                              Addresses(0xC000, 0xC000));
  ASSERT_EQ(pack->outcome, Outcome::Success);
  const Bytes image = ReadFile(dir.File("OUT.cas"));
  EXPECT_EQ(image, PlainImage({HeaderOf(0xD3, "LOADER"),
                                  Join({{0x07, 0x80, 0x0A, 0x00, 0x91, 0x00, 0x00, 0x00}, Bytes(10, 0)}),
                                  HeaderOf(0xD0, "GAME  "), Join({{0x00, 0xC0, 0xDB, 0xC5, 0x00, 0xC0}, Pattern(0, 1500)}),
                                  HeaderOf(0xEA, "NOTES "), Pattern(0, 256),
                                  Join({Pattern(256, 300), Bytes(212, 0x1A)})}));
  EXPECT_EQ(pack->reporter.Texts(),
            (Lines{"Reading file " + dir.File("loader.cas"), "Reading file " + dir.File("Game.bin"),
                   "Reading file " + dir.File("notes.txt"), "Add BASIC file [LOADER]: 9 bytes",
                   "Add binary file [GAME  ]: 1500 bytes, load 0xC000, end 0xC5DB, start 0xC000",
                   "Add text file [NOTES ]: 300 bytes in 2 blocks",
                   "Tape image " + dir.File("OUT.cas") + ": 3 files, 7 blocks, " + std::to_string(image.size()) +
                       " bytes",
                   "Sucessfully!!!"}));
}

TEST(PackCasImage, AGivenNameIsForASingleSource) {
  const struct {
    std::vector<std::string> sources;
    std::optional<std::string> name;
    std::string header_name;  // empty when refused
  } cases[] = {
      {{"a.bin"}, "loader", "loader"},
      {{"a.bin"}, "AB", "AB    "},
      {{"a.bin"}, "SEVENTH", "SEVENT"},
      {{"a.bin"}, std::nullopt, "A     "},
      {{"a.bin", "b.bin"}, "AB", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name.value_or("(no name)"));
    TempDir dir;
    std::vector<std::string> sources;
    for (const std::string& source : c.sources) {
      WriteFile(dir.File(source), Bytes{0xC9});
      sources.push_back(dir.File(source));
    }
    const auto pack = PackFiles(dir.File("OUT.CAS"), sources, {}, c.name);
    if (c.header_name.empty()) {
      EXPECT_EQ(pack->outcome, Outcome::Failure);
      EXPECT_EQ(pack->reporter.Texts(), Lines{"A tape name can be given for a single file only, not for 2"});
      EXPECT_FALSE(orvano::testing::Exists(dir.File("OUT.CAS")));
      continue;
    }
    ASSERT_EQ(pack->outcome, Outcome::Success);
    const tape::CasImage image = tape::ReadCasImage(ReadFile(dir.File("OUT.CAS")));
    ASSERT_EQ(image.blocks.size(), 2u);
    EXPECT_EQ(image.blocks[0].bytes, HeaderOf(0xD0, c.header_name));
  }
}

// Every bad source is reported, then nothing is written; an earlier output
// of that name stays as it was.
TEST(PackCasImage, BadSourcesAreAllReportedAndNothingIsWritten) {
  const Bytes image = PlainImage({HeaderOf(0xD0, "GAME  "), {1}});
  const struct {
    const char* what;
    std::function<void(const TempDir&)> prepare;
    std::vector<std::string> sources;
    Lines lines;  // after the "Reading file" lines; S is the source, O the output
  } cases[] = {
      {"no kind", [](const TempDir& dir) { WriteFile(dir.File("x.zip"), Bytes{1}); }, {"x.zip"},
       {"File: S is not a file to put on tape (.BIN, .COM, .CAS, .TXT, .BAS, .PAS or .DOC)"}},
      {"missing", [](const TempDir&) {}, {"x.bin"}, {"Error open file S"}},
      {"a directory", [](const TempDir& dir) { std::filesystem::create_directory(dir.File("x.bin")); }, {"x.bin"},
       {"Error open file S"}},
      {"empty", [](const TempDir& dir) { WriteFile(dir.File("x.txt"), Bytes{}); }, {"x.txt"}, {"File: S is empty"}},
      {"too large",
       [](const TempDir& dir) {
         WriteFile(dir.File("x.bin"), Bytes{1});
         std::filesystem::resize_file(dir.File("x.bin"), 16 * 1024 * 1024 + 1);
       },
       {"x.bin"}, {"File: S is too large: a tape image holds at most 16 MB"}},
      {"a tape image", [&](const TempDir& dir) { WriteFile(dir.File("x.cas"), image); }, {"x.cas"},
       {"File: S is a tape image, not a tokenised program"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    c.prepare(dir);
    WriteFile(dir.File("good.bin"), Bytes{0xC9});
    WriteFile(dir.File("OUT.CAS"), "earlier");
    const auto names_before = ListDir(dir.Path());
    const std::string source = dir.File(c.sources[0]);
    const auto pack = PackFiles(dir.File("OUT.CAS"), {dir.File("good.bin"), source, source});
    EXPECT_EQ(pack->outcome, Outcome::Failure);
    Lines expected{"Reading file " + dir.File("good.bin")};
    for (int twice = 0; twice < 2; ++twice) {
      expected.push_back("Reading file " + source);
      for (std::string line : c.lines) {
        const auto at = line.find(" S ") != std::string::npos ? line.find(" S ") + 1 : line.size() - 1;
        expected.push_back(line.replace(at, 1, source));
      }
    }
    expected.push_back("Nothing is written to " + dir.File("OUT.CAS"));
    EXPECT_EQ(pack->reporter.Texts(), expected);
    EXPECT_EQ(ListDir(dir.Path()), names_before);
    EXPECT_EQ(orvano::testing::ReadText(dir.File("OUT.CAS")), "earlier");
  }
}

TEST(PackCasImage, OutputsThatCannotBeWritten) {
  const struct {
    const char* what;
    std::string output;  // in the test's directory
    std::string last_line;
  } cases[] = {
      {"the output is a source", "game.bin", "Can't create file O: it is the input file"},
      {"no such directory", "none/OUT.CAS", "Can't create file O"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    WriteFile(dir.File("game.bin"), Bytes{0xC9});
    const std::string output = dir.File(c.output);
    const auto pack = PackFiles(output, {dir.File("game.bin")});
    EXPECT_EQ(pack->outcome, Outcome::Failure);
    std::string last = c.last_line;
    EXPECT_EQ(pack->reporter.Texts().back(), last.replace(last.find(" O") + 1, 1, output));
    EXPECT_EQ(ListDir(dir.Path()), Lines{"game.bin"});
    EXPECT_EQ(ReadFile(dir.File("game.bin")), Bytes{0xC9});
  }
  TempDir dir;
  for (const char* name : {"a.bin", "b.bin"}) {
    WriteFile(dir.File(name), Bytes{1});
    std::filesystem::resize_file(dir.File(name), 9 * 1024 * 1024);
  }
  const auto large = PackFiles(dir.File("OUT.CAS"), {dir.File("a.bin"), dir.File("b.bin")});
  EXPECT_EQ(large->outcome, Outcome::Failure);
  EXPECT_EQ(large->reporter.Texts().back(),
            "File: " + dir.File("OUT.CAS") + " is too large: a tape image holds at most 16 MB");
  EXPECT_EQ(ListDir(dir.Path()), (Lines{"a.bin", "b.bin"}));

  const auto none = PackFiles("/tmp/never.cas", {});
  EXPECT_EQ(none->outcome, Outcome::Failure);
  EXPECT_EQ(none->reporter.Texts(), Lines{"No file to put into the tape image /tmp/never.cas"});
}

TEST(ImageOfBlocks, PadsTheEndOnlyWhereItWouldReadAsACutMarker) {
  const Bytes marker(tape::kCasMarker.begin(), tape::kCasMarker.end());
  const struct {
    const char* what;
    Bytes last;
    std::size_t padding;
  } cases[] = {
      {"two marker bytes on a multiple of 8", {1, 2, 3, 4, 5, 6, 7, 8, 0x1F, 0xA6}, 6},
      {"seven of them", {0x1F, 0xA6, 0xDE, 0xBA, 0xCC, 0x13, 0x7D}, 1},
      {"one of them", {1, 2, 3, 4, 5, 6, 7, 8, 0x1F}, 0},
      {"two, not on a multiple of 8", {1, 2, 3, 4, 5, 6, 7, 0x1F, 0xA6}, 0},
      {"other bytes", {1, 2, 3}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<Block> blocks{HeaderOf(0xD0, "GAME  "), c.last};
    const Bytes image = ImageOfBlocks(blocks);
    EXPECT_EQ(image, Join({marker, blocks[0], marker, c.last, Bytes(c.padding, 0)}));
    const tape::CasImage read = tape::ReadCasImage(image);
    EXPECT_TRUE(read.issues.empty());
    ASSERT_EQ(read.blocks.size(), 2u);
    EXPECT_EQ(read.blocks[1].bytes, Join({c.last, Bytes(c.padding, 0)}));
  }
}

TEST(PackCasImage, WarnsAboutWhatWouldBeReadOtherwiseThanMeant) {
  const Bytes marker(tape::kCasMarker.begin(), tape::kCasMarker.end());
  const struct {
    const char* what;
    Bytes source;
    std::uint16_t load;
    std::vector<std::string> warnings;
  } cases[] = {
      {"fits", Bytes(0x1000, 0xC9), 0xF000, {}},
      {"wraps", Bytes(0x1001, 0xC9), 0xF000,
       {"The binary file [GAME  ] does not fit below 64 KB from 0xF000: its end address wraps around"}},
      {"holds the marker", Join({{1, 2, 3}, marker}), 0x9000,
       {"The data of [GAME  ] holds the block marker: a reader of the image splits the block there"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    WriteFile(dir.File("game.bin"), c.source);
    const auto pack = PackFiles(dir.File("OUT.CAS"), {dir.File("game.bin")}, Addresses(c.load, c.load));
    EXPECT_EQ(pack->outcome, Outcome::Success);
    std::vector<std::string> warnings;
    for (const Event& event : pack->reporter.Events()) {
      if (event.line == LineKind::Warning) warnings.push_back(event.text);
    }
    EXPECT_EQ(warnings, c.warnings);
  }
}

// A packed file played back is the signal New makes of the source itself,
// but for the end mark New puts behind a text's last block.
TEST(PackCasImage, PlayingAPackedFileGivesNewsSignal) {
  const struct {
    const char* file;
    Bytes source;
    std::size_t text_end_frames;
  } cases[] = {
      {"game.bin", Pattern(0, 1000), 0},
      {"prog.cas", Join({{0xFF}, Pattern(0, 77)}), 0},
      {"notes.txt", Pattern(0, 300), 1},
  };
  for (const Baud baud : {Baud::k1200, Baud::k2400}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.file);
      TempDir dir;
      std::filesystem::create_directory(dir.File("new"));
      WriteFile(dir.File(std::string("new/") + c.file), c.source);
      ConversionOptions options = Addresses(0xA000, 0xA010);
      options.baud = baud;
      RecordingReporter reporter;
      FileNameSet direct;
      ASSERT_EQ(ConvertSource(dir.File(std::string("new/") + c.file), direct, options, reporter), Outcome::Success);
      ASSERT_EQ(PackCasImage(dir.File("PACKED.CAS"), std::vector{dir.File(std::string("new/") + c.file)}, options,
                             std::nullopt, reporter),
                Outcome::Success);
      FileNameSet played;
      ASSERT_EQ(ConvertSource(dir.File("PACKED.CAS"), played, options, reporter), Outcome::Success);
      Bytes expected = ReadFile(direct.MsrName);
      expected.resize(expected.size() - c.text_end_frames * FrameBytes(TimingFor(baud)));
      EXPECT_EQ(ReadFile(played.MsrName), expected);
    }
  }
}

// Sources of every kind, one to five of them, packed and played at both
// speeds, raw and WAV: the signal holds every block of the image in order,
// its padding included, each behind the leader of its kind.
TEST(PackCasImage, OneToFiveFilesArePlayedBlockByBlock) {
  const struct {
    const char* file;
    Bytes source;
  } sources[] = {
      {"one.bin", Pattern(0, 5)},
      {"two.cas", Join({{0xFF}, Pattern(0, 30)})},
      {"three.txt", Pattern(0, 513)},
      {"four.com", Pattern(0, 64)},
      {"five.doc", Pattern(0, 256)},
  };
  for (std::size_t count = 1; count <= 5; ++count) {
    for (const Baud baud : {Baud::k1200, Baud::k2400}) {
      for (const bool wave : {false, true}) {
        SCOPED_TRACE(std::to_string(count) + (baud == Baud::k2400 ? " at 2400" : " at 1200") + (wave ? " wave" : ""));
        TempDir dir;
        std::vector<std::string> names;
        std::vector<PlayedBlock> played;
        for (std::size_t i = 0; i < count; ++i) {
          names.push_back(dir.File(sources[i].file));
          WriteFile(names.back(), sources[i].source);
          const SourceKind kind = i == 1 ? SourceKind::Basic : i == 2 || i == 4 ? SourceKind::Text : SourceKind::Binary;
          const std::string tape_name = UpperCaseName(NameOf(sources[i].file) + "      ").substr(0, 6);
          const std::vector<Bytes> blocks = TapeFileBlocks(kind, tape_name, sources[i].source, {});
          for (std::size_t b = 0; b < blocks.size(); ++b) played.push_back({blocks[b], b == 0});
        }
        // Every block but the last is padded up to the next marker.
        for (std::size_t i = 0; i + 1 < played.size(); ++i) {
          played[i].bytes.resize((played[i].bytes.size() + 7) / 8 * 8, 0x00);
        }
        ConversionOptions options;
        options.baud = baud;
        options.WriteWave = wave;
        RecordingReporter reporter;
        ASSERT_EQ(PackCasImage(dir.File("ALL.CAS"), names, options, std::nullopt, reporter), Outcome::Success);
        FileNameSet output;
        ASSERT_EQ(ConvertSource(dir.File("ALL.CAS"), output, options, reporter), Outcome::Success);
        Bytes signal = ReadFile(output.MsrName);
        if (wave) signal.erase(signal.begin(), signal.begin() + 44);
        const TapeTiming& timing = TimingFor(baud);
        EXPECT_EQ(ReadSignal(signal, ShapesFor(timing)), PlayedTape(played, timing));
      }
    }
  }
}

}  // namespace
}  // namespace orvano::encode
