#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "common/memory_stream.h"
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

const Lines kPlayingHints{"Open this file in your Wave Editor or Player with following params:",
                          "Sample rate: 44100 Hz",
                          "Sample type: 16 Bit PCM",
                          "Signed",
                          "Byte order: Little-endian",
                          "Chanels: Mono"};

Lines Introduction(const std::string& source, const std::string& output, Baud baud = Baud::k1200) {
  Lines lines{"Reading file " + source, "Convert tape image to MSX tape signal " + output};
  lines.insert(lines.end(), kPlayingHints.begin(), kPlayingHints.end());
  if (baud == Baud::k2400) lines.push_back("Baud rate: 2400");
  return lines;
}

Lines Plus(Lines lines, std::initializer_list<std::string> more) {
  lines.insert(lines.end(), more);
  return lines;
}

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
  const std::size_t skip = run.names.MsrName.ends_with(".WAV") ? 44 : 0;
  return {file.begin() + static_cast<std::ptrdiff_t>(skip), file.end()};
}

TEST(IsHeaderBlock, TenEqualTypeBytesAndAtLeastSixteenBytes) {
  const struct {
    const char* what;
    Bytes block;
    bool header;
  } cases[] = {
      {"binary", HeaderOf(0xD0, "GAME  "), true},
      {"BASIC", HeaderOf(0xD3, "LOADER"), true},
      {"text", HeaderOf(0xEA, "NOTES "), true},
      {"longer than a header", Join({HeaderOf(0xD0, "GAME  "), {0xFE, 0, 0}}), true},
      {"a byte short", HeaderOf(0xD0, "GAME "), false},
      {"nine type bytes", Join({Bytes(9, 0xD3), {0xD0}, Pattern(0, 6)}), false},
      {"first byte differs", Join({{0xD0}, Bytes(9, 0xD3), Pattern(0, 6)}), false},
      {"no type byte", HeaderOf(0xD1, "GAME  "), false},
      {"zeros", Bytes(16, 0), false},
      {"empty", {}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsHeaderBlock(c.block), c.header) << c.what;
}

// Plays the image made from blocks at both speeds, raw and WAV, and reads
// the signal back block by block.
TEST(TapeImage, EveryBlockIsPlayedInOrderBehindTheLeaderOfItsKind) {
  const std::vector<PlayedBlock> blocks{
      {Join({Bytes(9, 0xD0), Pattern(0, 7)}), false},  // not quite a header, and first
      {HeaderOf(0xD0, "GAME  "), true},
      {Join({{0x00, 0xC0, 0x02, 0xC0, 0x00, 0xC0}, {0xC9, 0x00, 0x1F}}), false},  // padded with seven zeros
      {HeaderOf(0xD3, "ONE   "), true},
      {HeaderOf(0xEA, "TWO   "), true},
      {Join({Pattern(0, 250), Bytes(6, 0x1A)}), false},
  };
  for (const Baud baud : {Baud::k1200, Baud::k2400}) {
    for (const bool wave : {false, true}) {
      SCOPED_TRACE(std::string(baud == Baud::k2400 ? "2400" : "1200") + (wave ? " wave" : " raw"));
      TempDir dir;
      WriteFile(dir.File("mix.cas"), ImageOf(blocks));
      const auto run = Convert(dir.File("mix.cas"), baud, wave);
      ASSERT_EQ(run->outcome, Outcome::Success);
      EXPECT_EQ(run->names.MsrName, dir.File(wave ? "MIX.WAV" : "MIX.RAW"));
      std::vector<PlayedBlock> played = blocks;
      played[2].bytes.resize(16, 0x00);
      const TapeTiming& timing = TimingFor(baud);
      EXPECT_EQ(ReadSignal(SignalOf(*run), ShapesFor(timing)), PlayedTape(played, timing));
      const Bytes file = ReadFile(run->names.MsrName);
      if (wave) {
        const std::uint32_t data = static_cast<std::uint32_t>(file.size() - 44);
        EXPECT_EQ(Bytes(file.begin() + 40, file.begin() + 44),
                  (Bytes{static_cast<std::uint8_t>(data), static_cast<std::uint8_t>(data >> 8),
                         static_cast<std::uint8_t>(data >> 16), static_cast<std::uint8_t>(data >> 24)}));
      }
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
  EXPECT_EQ(run->reporter.Texts(),
            Plus(Introduction(dir.File("THREE.CAS"), dir.File("THREE.RAW"), Baud::k2400),
                 {"The image holds 9 blocks:", "Block 1: 16 bytes, header of BASIC file [LOADER]",
                  "Block 2: 48 bytes", "Block 3: 16 bytes, header of binary file [GAME  ]", "Block 4: 1512 bytes",
                  "Block 5: 16 bytes, header of text file [NOTES ]", "Block 6: 256 bytes", "Block 7: 256 bytes",
                  "Block 8: 256 bytes", "Block 9: 256 bytes",
                  "Load the first file on the MSX with: CLOAD \"LOADER\"", "Sucessfully!!!"}));
  const auto& events = run->reporter.Events();
  EXPECT_EQ(events.rbegin()[2].kind, Event::Kind::Value);
  EXPECT_EQ(events.rbegin()[2].value, 100);
  EXPECT_EQ(events.rbegin()[1].kind, Event::Kind::Close);

  // The block bytes, padding included, are what the signal carries.
  const std::vector<Segment> segments = ReadSignal(SignalOf(*run), kShapes2400);
  ASSERT_EQ(segments.size(), 3u * 9 - 3);
  EXPECT_EQ(segments[1], Frames(Bytes(image.begin() + 8, image.begin() + 24)));
  EXPECT_EQ(segments[4], Frames(Bytes(image.begin() + 32, image.begin() + 80)));
  EXPECT_EQ(segments[5], Leader(15360));
  EXPECT_EQ(segments.back(), Frames(Bytes(image.end() - 256, image.end())));
}

TEST(TapeImage, TheLoadHintFollowsTheFirstHeader) {
  const struct {
    std::vector<PlayedBlock> blocks;
    const char* line;
  } cases[] = {
      {{{{1, 2, 3}, false}, {HeaderOf(0xD0, "GAME  "), true}, {{0, 0xC0, 0, 0xC0, 0, 0xC0, 0xC9}, false}},
       "Load the first file on the MSX with: BLOAD \"CAS:GAME\",R"},
      {{{HeaderOf(0xEA, "A B   "), true}, {Bytes(256, 0x1A), false}},
       "Load the first file on the MSX with: RUN \"CAS:A B\""},
      {{{HeaderOf(0xD3, "      "), true}, {Bytes(10, 0), false}}, "Load the first file on the MSX with: CLOAD \"\""},
      {{{{1, 2, 3}, false}}, "No block is a file header: the tape needs a loader of its own"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    TempDir dir;
    WriteFile(dir.File("T.CAS"), ImageOf(c.blocks));
    const auto run = Convert(dir.File("T.CAS"));
    EXPECT_EQ(run->outcome, Outcome::Success);
    EXPECT_EQ(run->reporter.Texts().rbegin()[1], c.line);
  }
}

TEST(TapeImage, OddMarkersAreWarnedAboutAndTheBlocksStillPlayed) {
  const Bytes marker(tape::kCasMarker.begin(), tape::kCasMarker.end());
  // A marker at offset 28, and the image ends in the first bytes of another.
  const Bytes image = Join({marker, HeaderOf(0xD3, "ODD   "), {1, 2, 3, 4}, marker, {7, 7, 7, 7}, {0x1F, 0xA6, 0xDE}});
  ASSERT_EQ(image.size(), 43u);
  TempDir dir;
  WriteFile(dir.File("ODD.CAS"), image);
  const auto run = Convert(dir.File("ODD.CAS"));
  ASSERT_EQ(run->outcome, Outcome::Success);
  const auto& events = run->reporter.Events();
  EXPECT_EQ(events[8], (Event{Event::Kind::Line, "Block marker at offset 28 is not on a multiple of 8", 0,
                              LineKind::Warning}));
  EXPECT_EQ(events[9], (Event{Event::Kind::Line, "The image ends inside a block marker at offset 40", 0,
                              LineKind::Warning}));
  EXPECT_EQ(events[10].text, "The image holds 2 blocks:");
  EXPECT_EQ(ReadSignal(SignalOf(*run)),
            PlayedTape({{Join({HeaderOf(0xD3, "ODD   "), {1, 2, 3, 4}}), true}, {{7, 7, 7, 7}, false}}, kTiming1200));
}

TEST(TapeImage, OnlyTheBasicKindWithTheWholeMarkerIsAnImage) {
  const Bytes image = ImageOf({{HeaderOf(0xD0, "GAME  "), true}});
  const struct {
    const char* file;
    Bytes bytes;
    const char* second_line;
  } cases[] = {
      {"a.cas", image, "Convert tape image to MSX tape signal "},
      {"a.ca", image, "Convert tape image to MSX tape signal "},
      {"a.cas", Bytes(image.begin(), image.begin() + 7), "Convert source to MSX tape BASIC file "},
      {"a.cas", Join({{0xFF}, image}), "Convert source to MSX tape BASIC file "},
      {"a.bin", image, "Convert source to MSX tape binary file "},
      {"a.txt", image, "Convert source to MSX tape textfile "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TempDir dir;
    WriteFile(dir.File(c.file), c.bytes);
    const auto run = Convert(dir.File(c.file));
    EXPECT_EQ(run->outcome, Outcome::Success);
    EXPECT_EQ(run->reporter.Texts()[1], c.second_line + dir.File("A.RAW"));
  }
}

// Each refusal ends the log with its line, shows no progress and leaves the
// files as they were.
TEST(TapeImage, RefusalsBeforeAnythingIsWritten) {
  const Bytes marker(tape::kCasMarker.begin(), tape::kCasMarker.end());
  // Blocks of one byte cost a gap and a leader each: these would make a
  // signal of 5.4 GB at either speed.
  Bytes many_blocks;
  for (int i = 0; i < 20000; ++i) tape::AppendCasBlock(many_blocks, Bytes{0x42});
  const struct {
    const char* what;
    std::function<void(const TempDir&)> prepare;
    std::string last_line;  // S stands for the source's name, O for the output's
    Lines files;
  } cases[] = {
      {"only a marker", [&](const TempDir& dir) { WriteFile(dir.File("TAPE.CAS"), marker); },
       "File: S is an empty tape image", {"TAPE.CAS"}},
      {"empty blocks", [&](const TempDir& dir) { WriteFile(dir.File("TAPE.CAS"), Join({marker, marker, marker})); },
       "File: S is an empty tape image", {"TAPE.CAS"}},
      {"over 16 MB",
       [&](const TempDir& dir) {
         WriteFile(dir.File("TAPE.CAS"), marker);
         std::filesystem::resize_file(dir.File("TAPE.CAS"), 16 * 1024 * 1024 + 1);
       },
       "File: S is too large: a tape image holds at most 16 MB", {"TAPE.CAS"}},
      {"signal over 4 GiB", [&](const TempDir& dir) { WriteFile(dir.File("TAPE.CAS"), many_blocks); },
       "File: S is too large: its tape signal would not fit in a WAV file", {"TAPE.CAS"}},
      {"output is a directory",
       [&](const TempDir& dir) {
         WriteFile(dir.File("TAPE.CAS"), ImageOf({{HeaderOf(0xD0, "GAME  "), true}}));
         std::filesystem::create_directory(dir.File("TAPE.RAW"));
       },
       "Can't create file O", {"TAPE.CAS", "TAPE.RAW"}},
      {"output is the source",
       [&](const TempDir& dir) {
         WriteFile(dir.File("TAPE.RAW"), ImageOf({{HeaderOf(0xD0, "GAME  "), true}}));
         std::filesystem::create_symlink(dir.File("TAPE.RAW"), dir.File("TAPE.CAS"));
       },
       "Can't create file O: it is the input file", {"TAPE.CAS", "TAPE.RAW"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    c.prepare(dir);
    const std::string source = dir.File("TAPE.CAS");
    const std::string output = dir.File("TAPE.RAW");
    std::string last = c.last_line;
    const auto name = last.find_first_of("SO", last.find(' '));
    last.replace(name, 1, last[name] == 'S' ? source : output);
    const Bytes before = std::filesystem::is_regular_file(output) ? ReadFile(output) : Bytes{};
    const auto run = Convert(source);
    EXPECT_EQ(run->outcome, Outcome::Failure);
    EXPECT_EQ(run->reporter.Texts().back(), last);
    for (const Event& event : run->reporter.Events()) EXPECT_NE(event.kind, Event::Kind::Open);
    EXPECT_EQ(ListDir(dir.Path()), c.files);
    if (std::filesystem::is_regular_file(output)) {
      EXPECT_EQ(ReadFile(output), before);
    }
  }
}

TEST(TapeImage, AWriteErrorKeepsTheEarlierOutput) {
  TempDir dir;
  WriteFile(dir.File("TAPE.CAS"), ImageOf({{HeaderOf(0xD0, "GAME  "), true}, {Pattern(0, 1000), false}}));
  WriteFile(dir.File("TAPE.RAW"), "earlier");
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto run = Convert(dir.File("TAPE.CAS"));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(run->outcome, Outcome::Failure);
  EXPECT_EQ(run->reporter.Texts().back(), "Write error in file " + dir.File("TAPE.RAW") + ": File too large");
  EXPECT_EQ(run->reporter.Events().rbegin()[1].kind, Event::Kind::Close);
  EXPECT_EQ(orvano::testing::ReadText(dir.File("TAPE.RAW")), "earlier");
  EXPECT_EQ(ListDir(dir.Path()), (Lines{"TAPE.CAS", "TAPE.RAW"}));
}

TEST(ImageDataBytes, IsWhatTheEncoderWrites) {
  const std::vector<tape::TapeBlock> blocks{
      {HeaderOf(0xD0, "GAME  "), {}}, {Pattern(0, 100), {}}, {{}, {}}, {Join({HeaderOf(0xEA, "T     "), {1}}), {}}};
  for (const TapeTiming* timing : {&kTiming1200, &kTiming2400}) {
    MemoryStream out;
    RecordingReporter reporter;
    Progress progress(reporter, "test");
    TapeEncoder encoder(out, false, *timing);
    EncodeImageBlocks(blocks, encoder, out, progress);
    EXPECT_EQ(ImageDataBytes(blocks, *timing), out.Size());
    EXPECT_EQ(encoder.DataBytes(), out.Size());
  }
}

}  // namespace
}  // namespace orvano::encode
