#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "common/recording_reporter.h"
#include "encode/convert_source.h"
#include "encode/signal_length.h"
#include "tests/encode/signal_reader.h"
#include "tests/support/temp_dir.h"

namespace orvano::encode {
namespace {

using namespace orvano::testing;
using testing::Frames;
using testing::Gap;
using testing::Leader;
using testing::ReadSignal;
using testing::Segment;
using Event = RecordingReporter::Event;
using Lines = std::vector<std::string>;

// The lines every conversion logs before it touches a file; a binary one
// adds the address line.
Lines Introduction(const std::string& source, const std::string& convert_line, const std::string& name,
                   const std::string& ending, const std::string& addresses = "") {
  Lines lines{"Reading file " + source, convert_line,
              "Open this file in your Wave Editor or Player with following params:", "Sample rate: 44100 Hz",
              "Sample type: 16 Bit PCM", "Signed", "Byte order: Little-endian", "Chanels: Mono",
              "Set MSX filename to [" + name + "]", "In PK8020/PK8010 KORVET you can read this file:",
              "LOAD \"CAS:" + name + ending};
  if (!addresses.empty()) lines.push_back("Set load&run addres to " + addresses);
  return lines;
}

Lines Plus(Lines lines, const std::string& last) {
  lines.push_back(last);
  return lines;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Pattern(std::size_t from, std::size_t to) {
  Bytes bytes;
  for (std::size_t i = from; i < to; ++i) bytes.push_back(static_cast<std::uint8_t>('A' + i % 26));
  return bytes;
}

// The leaders are counted in cells of 1200 baud unless `cells_per_cell` says
// how many cells of the speed take the time of one.
std::vector<Segment> Tape(std::uint8_t type, std::string_view name, std::initializer_list<Bytes> blocks,
                          std::size_t cells_per_cell = 1) {
  Bytes header(10 + name.size(), type);
  std::copy(name.begin(), name.end(), header.begin() + 10);
  std::vector<Segment> segments{Leader(7680 * cells_per_cell), Frames(header)};
  for (const Bytes& block : blocks) {
    segments.insert(segments.end(), {Gap(65535), Leader(1920 * cells_per_cell), Frames(block)});
  }
  return segments;
}

struct Run {
  Outcome outcome;
  RecordingReporter reporter;
  FileNameSet names;
};

std::unique_ptr<Run> Convert(const std::string& chosen, const ConversionOptions& options = {},
                             Reporter* reporter = nullptr) {
  auto run = std::make_unique<Run>();
  run->outcome = ConvertSource(chosen, run->names, options, reporter ? *reporter : run->reporter);
  return run;
}

TEST(ConvertSource, BinaryKeepsTheDirectoryAndUpperCasesOnlyTheFileName) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("tapes"));
  const std::string source = dir.File("tapes/game.bin");
  const std::string output = dir.File("tapes/GAME.RAW");
  WriteFile(source, Pattern(0, 300));
  const auto run = Convert(source);
  EXPECT_EQ(run->outcome, Outcome::Success);
  EXPECT_EQ(run->reporter.Texts(),
            Plus(Introduction(source, "Convert source to MSX tape binary file " + output, "GAME  ", "\",B[,R]",
                              "0x9000 & 0x9000"),
                 "Sucessfully!!!"));
  EXPECT_EQ(run->names.SourceName, source);
  EXPECT_EQ(run->names.MsrName, output);
  const Bytes signal = ReadFile(output);
  EXPECT_EQ(signal.size(), 2u * (419847u + 396u * 300u));
  EXPECT_EQ(ReadSignal(signal), Tape(0xD0, "GAME  ", {Join({{0x00, 0x90, 0x2B, 0x91, 0x00, 0x90}, Pattern(0, 300)})}));
  // The progress opens after the introduction and closes before the last line.
  const auto& events = run->reporter.Events();
  ASSERT_EQ(events.size(), 12u + 1u + 100u + 1u + 1u);
  EXPECT_EQ(events[12], (Event{Event::Kind::Open, "Convert binary file"}));
  EXPECT_EQ(events[112], (Event{Event::Kind::Value, {}, 100}));
  EXPECT_EQ(events[113].kind, Event::Kind::Close);
}

TEST(ConvertSource, BinaryAddressesComeFromTheOptionsAndWrapAt64K) {
  const struct {
    std::uint16_t load, start;
    std::size_t size;
    Bytes words;
    const char* line;
  } cases[] = {
      {0x8000, 0x8100, 0x100, {0x00, 0x80, 0xFF, 0x80, 0x00, 0x81}, "0x8000 & 0x8100"},
      {0xFFFF, 0x00AB, 2, {0xFF, 0xFF, 0x00, 0x00, 0xAB, 0x00}, "0xFFFF & 0x00AB"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    WriteFile(dir.File("GAME.BIN"), Pattern(0, c.size));
    const auto run = Convert(dir.File("GAME.BIN"), {c.load, c.start, false});
    EXPECT_EQ(run->reporter.Texts()[11], std::string("Set load&run addres to ") + c.line);
    EXPECT_EQ(ReadSignal(ReadFile(dir.File("GAME.RAW"))).back(), Frames(Join({c.words, Pattern(0, c.size)})));
  }
}

TEST(ConvertSource, WaveOutputIsTheRawOutputBehindAHeader) {
  TempDir dir;
  WriteFile(dir.File("GAME.BIN"), Bytes{0x42});
  ASSERT_EQ(Convert(dir.File("GAME.BIN"))->outcome, Outcome::Success);
  const auto run = Convert(dir.File("GAME.BIN"), {0x9000, 0x9000, true});
  EXPECT_EQ(run->reporter.Texts()[1], "Convert source to MSX tape binary file " + dir.File("GAME.WAV"));
  const Bytes raw = ReadFile(dir.File("GAME.RAW"));
  const Bytes wave = ReadFile(dir.File("GAME.WAV"));
  ASSERT_EQ(raw.size(), 840486u);
  ASSERT_EQ(wave.size(), 840530u);
  EXPECT_EQ(Bytes(wave.begin() + 44, wave.end()), raw);
  EXPECT_EQ(Bytes(wave.begin() + 4, wave.begin() + 8), (Bytes{0x4A, 0xD3, 0x0C, 0x00}));  // 840522
  EXPECT_EQ(Bytes(wave.begin() + 40, wave.begin() + 44), (Bytes{0x26, 0xD3, 0x0C, 0x00}));
}

TEST(ConvertSource, BasicDropsOnlyALeadingFFAndClosesWithTenZeros) {
  const struct {
    Bytes program, on_tape;
  } cases[] = {{{0x01, 0x80, 0xFF}, {0x01, 0x80, 0xFF}}, {{0xFF, 0x01, 0xFF}, {0x01, 0xFF}}, {{0xFF}, {}}};
  for (const auto& c : cases) {
    TempDir dir;
    WriteFile(dir.File("demo.cas"), c.program);
    const auto run = Convert(dir.File("demo.cas"));
    EXPECT_EQ(run->reporter.Texts(),
              Plus(Introduction(dir.File("demo.cas"), "Convert source to MSX tape BASIC file " + dir.File("DEMO.RAW"),
                                "DEMO  ", "\""),
                   "Sucessfully!!!"));
    EXPECT_EQ(run->reporter.Events()[11].text, "Convert BASIC file");
    EXPECT_EQ(ReadSignal(ReadFile(dir.File("DEMO.RAW"))), Tape(0xD3, "DEMO  ", {Join({c.on_tape, Bytes(10, 0)})}));
  }
}

TEST(ConvertSource, TextGoesIn256ByteBlocksFilledAndClosedWithEndMarks) {
  const Bytes mark{0x1A};
  const struct {
    std::size_t size;
    std::vector<Segment> tape;
  } cases[] = {
      {1, Tape(0xEA, "NOTES ", {Join({Pattern(0, 1), Bytes(256, 0x1A)})})},
      {256, Tape(0xEA, "NOTES ", {Join({Pattern(0, 256), mark})})},
      {257, Tape(0xEA, "NOTES ", {Pattern(0, 256), Join({Pattern(256, 257), Bytes(256, 0x1A)})})},
      {512, Tape(0xEA, "NOTES ", {Pattern(0, 256), Join({Pattern(256, 512), mark})})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    TempDir dir;
    WriteFile(dir.File("Notes.txt"), Pattern(0, c.size));
    const auto run = Convert(dir.File("Notes.txt"));
    EXPECT_EQ(run->reporter.Texts(),
              Plus(Introduction(dir.File("Notes.txt"), "Convert source to MSX tape textfile " + dir.File("NOTES.RAW"),
                                "NOTES ", "\",A"),
                   "Sucessfully!!!"));
    EXPECT_EQ(run->reporter.Events()[11].text, "Convert textfile");
    EXPECT_EQ(ReadSignal(ReadFile(dir.File("NOTES.RAW"))), c.tape);
  }
}

TEST(ConvertSource, At2400BaudCellsHalveAndLeadersKeepTheirTime) {
  const Bytes mark{0x1A};
  const struct {
    const char* file;
    Bytes source;
    std::vector<Segment> tape;
    std::size_t samples;
  } cases[] = {
      {"game.bin", Pattern(0, 300), Tape(0xD0, "GAME  ", {Join({{0x00, 0x90, 0x2B, 0x91, 0x00, 0x90}, Pattern(0, 300)})}, 2),
       345600 + 65535 + 198 * (16 + 306)},
      {"game.cas", {0xFF, 0x81, 0x00}, Tape(0xD3, "GAME  ", {Join({{0x81, 0x00}, Bytes(10, 0)})}, 2),
       345600 + 65535 + 198 * (16 + 12)},
      {"game.txt", Pattern(0, 256), Tape(0xEA, "GAME  ", {Join({Pattern(0, 256), mark})}, 2),
       345600 + 65535 + 198 * (16 + 257)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    TempDir dir;
    WriteFile(dir.File(c.file), c.source);
    ConversionOptions options;
    options.baud = Baud::k2400;
    const auto run = Convert(dir.File(c.file), options);
    EXPECT_EQ(run->outcome, Outcome::Success);
    const Lines texts = run->reporter.Texts();
    ASSERT_GE(texts.size(), 9u);
    EXPECT_EQ(texts[7], "Chanels: Mono");
    EXPECT_EQ(texts[8], "Baud rate: 2400");
    const Bytes signal = ReadFile(run->names.MsrName);
    EXPECT_EQ(signal.size(), 2 * c.samples);
    EXPECT_EQ(ReadSignal(signal, testing::kShapes2400), c.tape);
  }
}

TEST(ConvertSource, ChoosesTheKindBySubstringOfTheUpperCasedExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"a.txt", "textfile"},    {"a.T", "textfile"},      {"a.ba", "textfile"},    {"a.DO", "textfile"},
      {"a.", "textfile"},       {"a.pAs", "textfile"},    {"a.c", "BASIC file"},   {"a.CA", "BASIC file"},
      {"a.bi", "binary file"},  {"a.co", "binary file"},  {"a.com", "binary file"}, {"a", ""},
      {"a.raw", ""},            {"a.bins", ""},           {"a.xt", ""},
  };
  for (const auto& [file, kind] : cases) {
    SCOPED_TRACE(file);
    TempDir dir;
    const auto run = Convert(dir.File(file));
    EXPECT_EQ(run->names.SourceName, dir.File(file));
    if (*kind == '\0') {
      EXPECT_EQ(run->outcome, Outcome::Failure);
      EXPECT_EQ(run->reporter.Texts(),
                Lines{dir.File(file) + ": not a file to put on tape (.BIN, .COM, .CAS, .TXT, .BAS, .PAS or .DOC)"});
      EXPECT_EQ(run->names.MsrName, "");
      continue;
    }
    const Lines texts = run->reporter.Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[1], "Convert source to MSX tape " + std::string(kind) + " " +
                            ChangeExt(dir.File(UpperCaseName(file)), "RAW"));
  }
}

TEST(ConvertSource, ComFileIsConvertedAsBinaryAfterAWarning) {
  TempDir dir;
  WriteFile(dir.File("RUN.COM"), Bytes{0xC9});
  const auto run = Convert(dir.File("RUN.COM"));
  EXPECT_EQ(run->outcome, Outcome::Success);
  EXPECT_EQ(run->reporter.Events().at(0),
            (Event{Event::Kind::Warning, "Sorry, in this moment present only bin file conversion"}));
  EXPECT_EQ(run->reporter.Texts().back(), "Sucessfully!!!");
  EXPECT_EQ(ReadFile(dir.File("RUN.RAW")).size(), 840486u);
}

// Each check ends the log with its line after the whole introduction, shows
// no progress and leaves no new file behind.
TEST(ConvertSource, RefusalsBeforeCreatingTheOutput) {
  const auto source_file = [](const TempDir& dir) { WriteFile(dir.File("GAME.BIN"), Bytes{1}); };
  const struct {
    std::function<void(const TempDir&)> prepare;
    std::string last_line;  // after the source (S) or output (O) name
    Lines files;
  } cases[] = {
      {[](const TempDir&) {}, "Error open file S", {}},
      {[](const TempDir& dir) { WriteFile(dir.File("GAME.BIN"), Bytes{}); }, "File: S is empty", {"GAME.BIN"}},
      {[&](const TempDir& dir) { source_file(dir), std::filesystem::create_directory(dir.File("GAME.RAW")); },
       "Can't create file O", {"GAME.BIN", "GAME.RAW"}},
      {[](const TempDir& dir) {
         WriteFile(dir.File("GAME.RAW"), Bytes{1});
         std::filesystem::create_symlink(dir.File("GAME.RAW"), dir.File("GAME.BIN"));
       },
       "Can't create file O: it is the input file", {"GAME.BIN", "GAME.RAW"}},
      {[&](const TempDir& dir) { source_file(dir), std::filesystem::resize_file(dir.File("GAME.BIN"), 5421879); },
       "File: S is too large: its tape signal would not fit in a WAV file", {"GAME.BIN"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.last_line);
    TempDir dir;
    c.prepare(dir);
    const std::string source = dir.File("GAME.BIN");
    const std::string output = dir.File("GAME.RAW");
    std::string last = c.last_line;
    const auto name = last.find_first_of("SO", last.find(' '));
    last.replace(name, 1, last[name] == 'S' ? source : output);
    const auto run = Convert(source);
    EXPECT_EQ(run->outcome, Outcome::Failure);
    EXPECT_EQ(run->reporter.Texts(), Plus(Introduction(source, "Convert source to MSX tape binary file " + output,
                                                       "GAME  ", "\",B[,R]", "0x9000 & 0x9000"),
                                          last));
    EXPECT_EQ(run->reporter.Events().size(), 13u) << "no progress report";
    EXPECT_EQ(ListDir(dir.Path()), c.files);
  }
  // The largest source whose signal still fits.
  EXPECT_LE(BinaryDataBytes(kTiming1200, 5421878) + 36, 0xFFFFFFFFull);
}

// Cuts the source short when the progress first moves, so that the next
// block read finds the file shorter than it was at the start.
class TruncatingReporter final : public Reporter {
 public:
  explicit TruncatingReporter(std::string path) : path_(std::move(path)) {}
  void AddLine(LineKind kind, std::string_view text) override { inner.AddLine(kind, text); }
  void OpenProgress(std::string_view caption) override { inner.OpenProgress(caption); }
  void SetProgress(int percent) override {
    if (percent == 1) std::filesystem::resize_file(path_, 10);
    inner.SetProgress(percent);
  }
  void CloseProgress() override { inner.CloseProgress(); }
  void ShowWarning(std::string_view text) override { inner.ShowWarning(text); }
  RecordingReporter inner;

 private:
  std::string path_;
};

TEST(ConvertSource, ReadAndWriteErrorsAreReportedAndKeepTheEarlierOutput) {
  TempDir dir;
  WriteFile(dir.File("GAME.TXT"), Pattern(0, 70000));
  WriteFile(dir.File("GAME.RAW"), "earlier");
  TruncatingReporter truncating(dir.File("GAME.TXT"));
  const auto read = Convert(dir.File("GAME.TXT"), {}, &truncating);
  EXPECT_EQ(read->outcome, Outcome::Failure);
  EXPECT_EQ(truncating.inner.Texts().back(),
            "Read error in file " + dir.File("GAME.TXT") + ": the file became shorter while it was read");
  EXPECT_EQ(truncating.inner.Events().rbegin()[1].kind, Event::Kind::Close);

  // A file-size limit makes the writes fail with EFBIG.
  WriteFile(dir.File("GAME.BIN"), Pattern(0, 1000));
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const auto write = Convert(dir.File("GAME.BIN"));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(write->outcome, Outcome::Failure);
  EXPECT_EQ(write->reporter.Texts().back(), "Write error in file " + dir.File("GAME.RAW") + ": File too large");
  EXPECT_EQ(write->reporter.Events().rbegin()[1].kind, Event::Kind::Close);

  EXPECT_EQ(ReadText(dir.File("GAME.RAW")), "earlier");
  EXPECT_EQ(ListDir(dir.Path()), (Lines{"GAME.BIN", "GAME.RAW", "GAME.TXT"}));
}

TEST(ConvertSource, WarnsAboutANameThatChangesAndAStartOutsideTheImage) {
  const struct {
    const char* file;
    std::uint16_t start;
    Lines warnings;
  } cases[] = {
      {"SIXSIX.BIN", 0x90FF, {}},
      {"TESTPROG.BIN", 0x9000, {"The name TESTPROG is cut to six characters on tape: [TESTPR]"}},
      {"\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0.BIN", 0x9000,
       {"The name \xD0\x98\xD0\xB3\xD1\x80\xD0\xB0 has letters a tape name cannot hold: they are spelled [IGRA  ] on tape"}},
      {"GAME.BIN", 0x9100, {"The start address 0x9100 lies outside the loaded bytes 0x9000 to 0x90FF"}},
      {"GAME.BIN", 0x8FFF, {"The start address 0x8FFF lies outside the loaded bytes 0x9000 to 0x90FF"}},
  };
  for (const auto& c : cases) {
    TempDir dir;
    WriteFile(dir.File(c.file), Bytes(256, 0xC9));
    ConversionOptions options;
    options.StartAddr = c.start;
    const auto run = Convert(dir.File(c.file), options);
    EXPECT_EQ(run->outcome, Outcome::Success) << c.file;
    Lines warnings;
    for (const auto& event : run->reporter.Events()) {
      if (event.kind == Event::Kind::Line && event.line == LineKind::Warning) warnings.push_back(event.text);
    }
    EXPECT_EQ(warnings, c.warnings) << c.file;
  }
}

}  // namespace
}  // namespace orvano::encode
