#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "common/recording_reporter.h"
#include "encode/convert_source.h"
#include "encode/image_signal.h"
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

Bytes ImageOf(const std::vector<PlayedBlock>& blocks) {
  Bytes image;
  for (const PlayedBlock& block : blocks) tape::AppendCasBlock(image, block.bytes);
  return image;
}

struct Run {
  Outcome outcome;
  RecordingReporter reporter;
  FileNameSet names;
};

std::unique_ptr<Run> Convert(const std::string& chosen, Baud baud = Baud::k1200, bool wave = false) {
  auto run = std::make_unique<Run>();
  ConversionOptions options;
  options.baud = baud;
  options.WriteWave = wave;
  run->outcome = ConvertSource(chosen, run->names, options, run->reporter);
  return run;
}

Bytes SignalOf(const Run& run) {
  const Bytes file = ReadFile(run.names.MsrName);
  return {file.begin() + (run.names.MsrName.ends_with(".WAV") ? 44 : 0), file.end()};
}

TEST(IsHeaderBlock, TenEqualTypeBytesAndAtLeastSixteenBytes) {
  const std::pair<Bytes, bool> cases[] = {
      {HeaderOf(0xEA, "NOTES "), true},
      {Join({HeaderOf(0xD3, "GAME  "), {0xFE, 0, 0}}), true},
      {HeaderOf(0xD0, "GAME "), false},
      {Join({Bytes(9, 0xD3), {0xD0}, Pattern(0, 6)}), false},
      {Join({{0xD0}, Bytes(9, 0xD3), Pattern(0, 6)}), false},
      {HeaderOf(0xD1, "GAME  "), false},
  };
  for (const auto& [block, header] : cases) EXPECT_EQ(IsHeaderBlock(block), header) << ::testing::PrintToString(block);
}

TEST(TapeImage, EveryBlockIsPlayedInOrderBehindTheLeaderOfItsKind) {
  const std::vector<PlayedBlock> blocks{
      {Join({Bytes(9, 0xD0), Pattern(0, 7)}), false},  // first, and not quite a header
      {HeaderOf(0xD0, "GAME  "), true},
      {{0x00, 0xC0, 0x02, 0xC0, 0x00, 0xC0, 0xC9, 0x00, 0x1F}, false},  // padded with seven zeros
      {HeaderOf(0xD3, "ONE   "), true},
      {HeaderOf(0xEA, "TWO   "), true},
      {Join({Pattern(0, 250), Bytes(6, 0x1A)}), false},
  };
  std::vector<PlayedBlock> played = blocks;
  played[2].bytes.resize(16, 0x00);
  for (const Baud baud : {Baud::k1200, Baud::k2400}) {
    for (const bool wave : {false, true}) {
      SCOPED_TRACE(std::string(baud == Baud::k2400 ? "2400" : "1200") + (wave ? " wave" : " raw"));
      TempDir dir;
      WriteFile(dir.File("mix.cas"), ImageOf(blocks));
      const auto run = Convert(dir.File("mix.cas"), baud, wave);
      ASSERT_EQ(run->outcome, Outcome::Success);
      EXPECT_EQ(run->names.MsrName, dir.File(wave ? "MIX.WAV" : "MIX.RAW"));
      const TapeTiming& timing = TimingFor(baud);
      EXPECT_EQ(ReadSignal(SignalOf(*run), ShapesFor(timing)), PlayedTape(played, timing));
    }
  }
}

TEST(TapeImage, TheSampleOfThreeFilesIsListedAndPlayed) {
  const std::string sample = std::string(ORVANO_SAMPLES) + "/THREE.CAS";
  if (!std::filesystem::exists(sample)) GTEST_SKIP() << "no " << sample;
  TempDir dir;
  const Bytes image = ReadFile(sample);
  WriteFile(dir.File("THREE.CAS"), image);
  const auto run = Convert(dir.File("THREE.CAS"), Baud::k2400);
  ASSERT_EQ(run->outcome, Outcome::Success);
  const Lines texts = run->reporter.Texts();
  EXPECT_EQ(Lines(texts.begin(), texts.begin() + 2),
            (Lines{"Reading file " + dir.File("THREE.CAS"),
                   "Convert tape image to MSX tape signal " + dir.File("THREE.RAW")}));
  EXPECT_EQ(texts[8], "Baud rate: 2400");
  EXPECT_EQ(Lines(texts.begin() + 9, texts.end()),
            (Lines{"01 BASIC \"LOADER\" 41 bytes: complete",
                   "02 binary \"GAME\" 1500 bytes, load C000, end C5DB, exec C000: complete",
                   "03 text \"NOTES\" 948 bytes: complete", dir.File("THREE.CAS") + ": 3 files (3 complete), 9 blocks",
                   "Load the first file on the MSX with: CLOAD \"LOADER\"", "Sucessfully!!!"}));
  EXPECT_EQ(run->reporter.ProgressValues().back(), 100);

  // The block bytes, padding included, are what the signal carries.
  const std::vector<Segment> segments = ReadSignal(SignalOf(*run), kShapes2400);
  ASSERT_EQ(segments.size(), 3u * 9 - 3);
  EXPECT_EQ(segments[4], Frames(Bytes(image.begin() + 32, image.begin() + 80)));
  EXPECT_EQ(segments.back(), Frames(Bytes(image.end() - 256, image.end())));
}

TEST(TapeImage, OddMarkersAreWarnedAboutAndTheBlocksStillPlayed) {
  const Bytes marker(tape::kCasMarker.begin(), tape::kCasMarker.end());
  // A marker at offset 28, and the image ends in the first bytes of another.
  const Bytes image = Join({marker, HeaderOf(0xD0, "ODD   "), {1, 2, 3, 4}, marker, {7, 7, 7, 7}, {0x1F, 0xA6, 0xDE}});
  TempDir dir;
  WriteFile(dir.File("ODD.CAS"), image);
  const auto run = Convert(dir.File("ODD.CAS"));
  ASSERT_EQ(run->outcome, Outcome::Success);
  const auto& events = run->reporter.Events();
  EXPECT_EQ(events[8], (Event{Event::Kind::Line, "Block marker at offset 28 is not on a multiple of 8", 0,
                              LineKind::Warning}));
  EXPECT_EQ(events[9], (Event{Event::Kind::Line, "The image ends inside a block marker at offset 40", 0,
                              LineKind::Warning}));
  EXPECT_EQ(run->reporter.Texts().rbegin()[1], "Load the first file on the MSX with: BLOAD \"CAS:ODD\",R");
  EXPECT_EQ(ReadSignal(SignalOf(*run)),
            PlayedTape({{Join({HeaderOf(0xD0, "ODD   "), {1, 2, 3, 4}}), true}, {{7, 7, 7, 7}, false}}, kTiming1200));
}

TEST(TapeImage, OnlyTheBasicKindWithTheWholeMarkerIsAnImage) {
  const Bytes image = ImageOf({{HeaderOf(0xD0, "GAME  "), true}});
  const struct {
    const char* file;
    Bytes bytes;
    const char* kind;
  } cases[] = {
      {"a.cas", image, "tape image to MSX tape signal "},
      {"a.ca", image, "tape image to MSX tape signal "},
      {"a.cas", Bytes(image.begin(), image.begin() + 7), "source to MSX tape BASIC file "},
      {"a.cas", Join({{0xFF}, image}), "source to MSX tape BASIC file "},
      {"a.bin", image, "source to MSX tape binary file "},
  };
  for (const auto& c : cases) {
    TempDir dir;
    WriteFile(dir.File(c.file), c.bytes);
    const auto run = Convert(dir.File(c.file));
    EXPECT_EQ(run->outcome, Outcome::Success);
    EXPECT_EQ(run->reporter.Texts()[1], "Convert " + std::string(c.kind) + dir.File("A.RAW")) << c.file;
  }
}

// Each refusal ends the log with its line, shows no progress and leaves the
// files as they were.
TEST(TapeImage, RefusalsBeforeAnythingIsWritten) {
  const Bytes marker(tape::kCasMarker.begin(), tape::kCasMarker.end());
  const Bytes game = ImageOf({{HeaderOf(0xD0, "GAME  "), true}});
  // Each block costs a gap and a leader: 20000 of them are a signal of 5.4 GB.
  Bytes many_blocks;
  for (int i = 0; i < 20000; ++i) tape::AppendCasBlock(many_blocks, Bytes{0x42});
  const struct {
    std::function<void(const TempDir&)> prepare;
    std::string last_line;  // S stands for the source's name, O for the output's
  } cases[] = {
      {[&](const TempDir& dir) { WriteFile(dir.File("T.CAS"), marker); }, "File: S is an empty tape image"},
      {[&](const TempDir& dir) { WriteFile(dir.File("T.CAS"), Join({marker, marker})); },
       "File: S is an empty tape image"},
      {[&](const TempDir& dir) {
         WriteFile(dir.File("T.CAS"), marker);
         std::filesystem::resize_file(dir.File("T.CAS"), 16 * 1024 * 1024 + 1);
       },
       "File: S is too large: a tape image holds at most 16 MB"},
      {[&](const TempDir& dir) { WriteFile(dir.File("T.CAS"), many_blocks); },
       "File: S is too large: its tape signal would not fit in a WAV file"},
      {[&](const TempDir& dir) {
         WriteFile(dir.File("T.CAS"), game);
         std::filesystem::create_directory(dir.File("T.RAW"));
       },
       "Can't create file O"},
      {[&](const TempDir& dir) {
         WriteFile(dir.File("T.RAW"), game);
         std::filesystem::create_symlink(dir.File("T.RAW"), dir.File("T.CAS"));
       },
       "Can't create file O: it is the input file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.last_line);
    TempDir dir;
    c.prepare(dir);
    const Lines files = ListDir(dir.Path());
    std::string last = c.last_line;
    const auto name = last.find_first_of("SO", last.find(' '));
    last.replace(name, 1, dir.File(last[name] == 'S' ? "T.CAS" : "T.RAW"));
    const auto run = Convert(dir.File("T.CAS"));
    EXPECT_EQ(run->outcome, Outcome::Failure);
    EXPECT_EQ(run->reporter.Texts().back(), last);
    EXPECT_TRUE(run->reporter.ProgressValues().empty());
    EXPECT_EQ(ListDir(dir.Path()), files);
  }
}

TEST(TapeImage, AWriteErrorKeepsTheEarlierOutput) {
  TempDir dir;
  WriteFile(dir.File("T.CAS"), ImageOf({{HeaderOf(0xD0, "GAME  "), true}, {Pattern(0, 1000), false}}));
  WriteFile(dir.File("T.RAW"), "earlier");
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto run = Convert(dir.File("T.CAS"));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(run->outcome, Outcome::Failure);
  EXPECT_EQ(run->reporter.Texts().back(), "Write error in file " + dir.File("T.RAW") + ": File too large");
  EXPECT_FALSE(run->reporter.ProgressOpen());
  EXPECT_EQ(orvano::testing::ReadText(dir.File("T.RAW")), "earlier");
  EXPECT_EQ(ListDir(dir.Path()), (Lines{"T.CAS", "T.RAW"}));
}

}  // namespace
}  // namespace orvano::encode
