#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/recording_reporter.h"
#include "decode/operations.h"
#include "tests/decode/fault_injection.h"
#include "tests/decode/sound_files.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_data_size.h"

namespace orvano::decode {
namespace {

using testing::Bytes;
using Lines = std::vector<std::string>;

// One of the three passes: what it reads and writes, the lines it logs
// before its work and after a success on its input of several blocks and
// on an empty one, and that input (made when a test runs: the inputs are
// large, and every test process would otherwise build them all at start).
struct Pass {
  std::string name;
  Outcome (*run)(FileNameSet&, Reporter&);
  std::string input_ext, output_ext, caption;
  Lines (*head)(const std::string& base);
  Lines tail;
  Lines empty_tail;
  Bytes (*big_input)();
  // Recode of a recording in another format than .RAW.
  std::string source_ext = "RAW";
  Bytes (*empty_input)() = [] { return Bytes{}; };
  std::string open_reason = "";
};

Outcome Recode(FileNameSet& names, Reporter& reporter) { return RawRecode(names, {}, reporter); }

constexpr const char* kWait = "Please wait...It's a very long operation";

Bytes ShortCycles(std::size_t count) {
  Bytes bytes;
  for (std::size_t i = 0; i < count; ++i) {
    for (int s = 0; s < 9; ++s) bytes.insert(bytes.end(), {0x78, 0xEC});
    bytes.insert(bytes.end(), {0x88, 0x13});
  }
  return bytes;
}

// The samples of a .RAW file in a 16-bit mono WAV at 44100 Hz.
Bytes WaveOf(const Bytes& raw) {
  std::vector<float> samples(raw.size() / 2);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<float>(static_cast<std::int16_t>(raw[2 * i] | raw[2 * i + 1] << 8)) / 32768.0f;
  }
  return testing::SoundFileBytes(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, samples);
}

const Pass kPasses[] = {
    {"recode", &Recode, "RAW", "MSR", "Recode RAW file",
     [](const std::string& base) -> Lines { return {"Open file " + base + ".RAW for recode", "Write to " + base + ".MSR"}; },
     {"You can rename *.MSR file to *.RAW file for writing to cassette"},
     {"You can rename *.MSR file to *.RAW file for writing to cassette"}, [] { return ShortCycles(20000); }},
    {"recode_wav", &Recode, "WAV", "MSR", "Recode WAV file",
     [](const std::string& base) -> Lines { return {"Open file " + base + ".WAV for recode", "Write to " + base + ".MSR"}; },
     {"You can rename *.MSR file to *.RAW file for writing to cassette"},
     {"You can rename *.MSR file to *.RAW file for writing to cassette"}, [] { return WaveOf(ShortCycles(20000)); }, "WAV",
     [] { return WaveOf({}); }, ": No such file or directory"},
    {"phase1", &Phase1Decode, "MSR", "TX1", "Phase 1 decode",
     [](const std::string& base) -> Lines {
       return {"Process phase 1 file " + base + ".MSR decode", "Set output file " + base + ".TX1", kWait};
     },
     {"Phase 1 done: 20000 cycles, 20000 short (100 %), 0 long (0 %)"},
     {"Phase 1 done: 0 cycles, 0 short (0 %), 0 long (0 %)"}, [] { return ShortCycles(20000); }},
    {"phase2", &Phase2Decode, "TX1", "TX2", "Phase 2 decode",
     [](const std::string& base) -> Lines {
       return {"Process phase 2 file " + base + ".TX1", "Set output file " + base + ".TX2", kWait};
     },
     {"Phase 2 done: 300000 bits, 300000 zeros (100 %), 0 ones (0 %)"},
     {"Phase 2 done: 0 bits, 0 zeros (0 %), 0 ones (0 %)"}, [] { return Bytes(300000, '0'); }},
};

class PassTest : public ::testing::TestWithParam<Pass> {
 protected:
  std::string Input() const { return dir_.File("GAME." + GetParam().input_ext); }
  std::string Output() const { return dir_.File("GAME." + GetParam().output_ext); }
  // Every pass derives its names from the recording.
  Outcome Run(Reporter& reporter) {
    names_.SourceName = dir_.File("GAME." + GetParam().source_ext);
    return GetParam().run(names_, reporter);
  }
  Lines Expected(const Lines& after) const {
    Lines lines = GetParam().head(dir_.File("GAME"));
    lines.insert(lines.end(), after.begin(), after.end());
    return lines;
  }
  void ExpectFailure(Reporter& reporter, const std::string& line) {
    EXPECT_EQ(Run(reporter), Outcome::Failure);
    EXPECT_EQ(reporter_.Texts(), Expected({line}));
    EXPECT_FALSE(reporter_.ProgressOpen());
  }

  testing::TempDir dir_;
  FileNameSet names_;
  RecordingReporter reporter_;
};

TEST_P(PassTest, SucceedsWithItsLinesAndAFullBar) {
  testing::WriteFile(Input(), GetParam().big_input());
  ASSERT_EQ(Run(reporter_), Outcome::Success);
  EXPECT_EQ(reporter_.Texts(), Expected(GetParam().tail));
  const auto& events = reporter_.Events();
  const std::size_t head = GetParam().head("").size();
  EXPECT_EQ(events[head].text, GetParam().caption);
  EXPECT_EQ(events[events.size() - 1 - GetParam().tail.size()].kind, RecordingReporter::Event::Kind::Close);
  EXPECT_EQ(reporter_.ProgressValues().back(), 100);
}

TEST_P(PassTest, AnEmptyInputGivesAnEmptyOutput) {
  testing::WriteFile(Input(), GetParam().empty_input());
  testing::WriteFile(Output(), "earlier");
  ASSERT_EQ(Run(reporter_), Outcome::Success);
  EXPECT_EQ(testing::ReadFile(Output()), Bytes{});
  EXPECT_EQ(reporter_.Texts(), Expected(GetParam().empty_tail));
}

TEST_P(PassTest, AMissingInputCreatesNothing) {
  ExpectFailure(reporter_, "Error open file " + Input() + GetParam().open_reason);
  EXPECT_TRUE(testing::ListDir(dir_.Path()).empty());
}

TEST_P(PassTest, AnOutputThatCannotBeCreatedIsReported) {
  testing::WriteFile(Input(), GetParam().big_input());
  ASSERT_EQ(::mkdir(Output().c_str(), 0755), 0);
  ExpectFailure(reporter_, "Can't create file " + Output());
}

TEST_P(PassTest, RefusesAnOutputThatIsItsOwnInput) {
  testing::WriteFile(Input(), "\x07\xFF\x09\x00");
  ASSERT_EQ(::symlink(Input().c_str(), Output().c_str()), 0);
  ExpectFailure(reporter_, "Can't create file " + Output() + ": it is the input file");
  EXPECT_EQ(testing::ReadText(Input()), "\x07\xFF\x09\x00");
}

TEST_P(PassTest, AnInputCutShortWhileReadIsAReadError) {
  testing::WriteFile(Input(), GetParam().big_input());
  testing::WriteFile(Output(), "earlier");
  testing::TruncatingReporter truncating(reporter_, Input(), 1000);
  ExpectFailure(truncating, "Read error in file " + Input() + ": the file became shorter while it was read");
  EXPECT_EQ(testing::ReadText(Output()), "earlier");
  EXPECT_EQ(testing::ListDir(dir_.Path()).size(), 2u) << "no temporary file is left";
}

TEST_P(PassTest, AFullDiskIsAWriteErrorAndKeepsTheEarlierOutput) {
  testing::WriteFile(Input(), GetParam().big_input());
  testing::WriteFile(Output(), "earlier");
  {
    testing::FileSizeLimit limit(4096);
    ExpectFailure(reporter_, "Write error in file " + Output() + ": File too large");
  }
  EXPECT_EQ(testing::ReadText(Output()), "earlier");
  EXPECT_EQ(testing::ListDir(dir_.Path()).size(), 2u) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(Decode, PassTest, ::testing::ValuesIn(kPasses),
                         [](const auto& param_info) { return param_info.param.name; });

// Runs one pass on `input` beside the recording tape.RAW, which recode
// reads itself.
Bytes RunOn(Outcome (*run)(FileNameSet&, Reporter&), const std::string& input_ext, const Bytes& input,
            const std::string& output_ext) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("tape." + input_ext), input);
  FileNameSet names;
  names.SourceName = dir.File("tape.RAW");
  RecordingReporter reporter;
  EXPECT_EQ(run(names, reporter), Outcome::Success);
  return testing::ReadFile(dir.File("tape." + output_ext));
}

TEST(RawRecode, KeepsTheLengthAndAnOddLastByte) {
  Bytes input(2 * 65536 + 3, 0x01);
  input.back() = 0x99;
  const Bytes output = RunOn(&Recode, "RAW", input, "MSR");
  ASSERT_EQ(output.size(), input.size());
  EXPECT_EQ(Bytes(output.end() - 5, output.end()), (Bytes{0x88, 0x13, 0x88, 0x13, 0x99}));
}

TEST(RawRecode, RefusesToRecodeAnMsrFileOntoItself) {
  testing::TempDir dir;
  const std::string msr = dir.File("GAME.MSR");
  testing::WriteFile(msr, "\x03\x00\xFD\xFF");
  FileNameSet names;
  names.SourceName = msr;
  RecordingReporter reporter;
  EXPECT_EQ(Recode(names, reporter), Outcome::Failure);
  EXPECT_EQ(reporter.Texts(), (Lines{"Open file " + msr + " for recode", "Write to " + msr,
                                     "Can't create file " + msr + ": it is the input file"}));
  EXPECT_EQ(testing::ReadText(msr), "\x03\x00\xFD\xFF");
}

TEST(RawRecode, ASixteenBitWaveAt44100HzRecodesAsItsRawTwin) {
  // Over two seconds: recoded in two halves, which must meet without a seam.
  Bytes raw = ShortCycles(10000);
  raw.insert(raw.end(), {0x00, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0x00, 0x80, 0xFF, 0x7F});
  const Bytes expected = RunOn(&Recode, "RAW", raw, "MSR");
  testing::TempDir dir;
  testing::WriteFile(dir.File("tape.wav"), WaveOf(raw));
  FileNameSet names;
  names.SourceName = dir.File("tape.wav");
  RecordingReporter reporter;
  ASSERT_EQ(Recode(names, reporter), Outcome::Success);
  EXPECT_EQ(names.MsrName, dir.File("tape.MSR"));
  EXPECT_EQ(testing::ReadFile(names.MsrName), expected);
}

// Recode of recordings that are not .RAW, beyond the paths every pass has.
struct RecordingCase {
  const char* name;
  const char* file;
  Bytes (*make)();
  ChannelChoice channel;
  // The lines between "Write to" and the last line, and the last line.
  Lines (*middle)(const std::string& path);
  bool succeeds;
  std::size_t msr_bytes;  // when it succeeds
};

void PrintTo(const RecordingCase& c, std::ostream* out) { *out << c.name; }

std::vector<float> Cycles(unsigned channels, std::size_t frames) {
  std::vector<float> samples(frames * channels);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    // The tape on the last channel, the others silent.
    const bool tape = i % channels == channels - 1;
    samples[i] = tape ? ((i / channels) % 20 < 10 ? 0.2f : -0.2f) : 0.0f;
  }
  return samples;
}

Bytes Sound(int format, unsigned rate, unsigned channels, std::size_t frames) {
  return testing::SoundFileBytes(format, rate, channels, Cycles(channels, frames));
}

Bytes CutTo(Bytes bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

const std::string kLast = "You can rename *.MSR file to *.RAW file for writing to cassette";

const RecordingCase kRecordings[] = {
    {"stereo_48k_auto", "TAPE.WAV", [] { return Sound(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 96000); },
     ChannelChoice::Auto,
     [](const std::string&) -> Lines { return {"Read the right channel, which carries the stronger tape signal", kLast}; },
     true, 88200 * 2},
    {"stereo_told_left", "TAPE.flac", [] { return Sound(SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 22050, 2, 22050); },
     ChannelChoice::Left, [](const std::string&) -> Lines { return {"Read the left channel", kLast}; }, true,
     44100 * 2},
    {"cut_wav", "CUT.WAV", [] { return CutTo(Sound(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 44100), 44 + 2 * 30000); },
     ChannelChoice::Auto,
     [](const std::string& path) -> Lines {
       return {"File " + path + " is shorter than its header claims: it holds 30000 of 44100 frames", kLast};
     },
     true, 30000 * 2},
    {"wav_without_data_size", "OPEN.WAV", [] { return testing::WithDataSize(Sound(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 30000), 0); },
     ChannelChoice::Auto,
     [](const std::string& path) -> Lines {
       return {"File " + path + " gives no size for its data: it is read to the end of the file, 30000 frames", kLast};
     },
     true, 30000 * 2},
    {"zero_frames", "NONE.aiff", [] { return Sound(SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 96000, 2, 0); },
     ChannelChoice::Auto,
     [](const std::string&) -> Lines { return {"Read the left channel, which carries the stronger tape signal", kLast}; },
     true, 0},
    {"rate_too_low", "LOW.WAV", [] { return Sound(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 6000, 1, 6000); },
     ChannelChoice::Auto,
     [](const std::string& path) -> Lines {
       return {"Can't read file " + path + ": its sample rate of 6000 Hz is outside 8000 to 384000 Hz"};
     },
     false, 0},
    {"rate_too_high", "HIGH.WAV", [] { return Sound(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 400000, 1, 100); },
     ChannelChoice::Auto,
     [](const std::string& path) -> Lines {
       return {"Can't read file " + path + ": its sample rate of 400000 Hz is outside 8000 to 384000 Hz"};
     },
     false, 0},
};

class RecordingRecode : public ::testing::TestWithParam<RecordingCase> {};

TEST_P(RecordingRecode, LogsAndWritesWhatTheRecordingGives) {
  const RecordingCase& c = GetParam();
  testing::TempDir dir;
  const std::string path = dir.File(c.file);
  testing::WriteFile(path, c.make());
  FileNameSet names;
  names.SourceName = path;
  RecordingReporter reporter;
  ConversionOptions options;
  options.channel = c.channel;
  EXPECT_EQ(RawRecode(names, options, reporter), c.succeeds ? Outcome::Success : Outcome::Failure);
  Lines expected{"Open file " + path + " for recode", "Write to " + names.MsrName};
  const Lines middle = c.middle(path);
  expected.insert(expected.end(), middle.begin(), middle.end());
  EXPECT_EQ(reporter.Texts(), expected);
  EXPECT_FALSE(reporter.ProgressOpen());
  if (c.succeeds) {
    EXPECT_EQ(testing::ReadFile(names.MsrName).size(), c.msr_bytes);
  } else {
    EXPECT_EQ(testing::ListDir(dir.Path()).size(), 1u) << "nothing is written";
  }
}

INSTANTIATE_TEST_SUITE_P(Recordings, RecordingRecode, ::testing::ValuesIn(kRecordings),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(RawRecode, AStereoFlacCutShortIsRecodedAsFarAsItGoes) {
  testing::TempDir dir;
  const std::string path = dir.File("CUT.FLAC");
  const Bytes whole = Sound(SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2, 88200);
  testing::WriteFile(path, CutTo(whole, whole.size() / 2));
  FileNameSet names;
  names.SourceName = path;
  RecordingReporter reporter;
  ASSERT_EQ(Recode(names, reporter), Outcome::Success) << reporter.Texts().back();
  const Lines lines = reporter.Texts();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[2], "Read the right channel, which carries the stronger tape signal");
  EXPECT_TRUE(lines[3].starts_with("File " + path + " is shorter than its header claims: it holds ")) << lines[3];
  EXPECT_TRUE(lines[3].ends_with(" of 88200 frames")) << lines[3];
  const std::size_t samples = testing::ReadFile(names.MsrName).size() / 2;
  EXPECT_GT(samples, 10000u);
  EXPECT_LT(samples, 88200u);
}

// A long recording is recoded in halves, each by a reader of its own. In a
// FLAC cut short the second half may start past the data that is there,
// and the first reader then reads it all: the output is what a file of the
// frames held gives.
TEST(RawRecode, AFlacCutBeforeItsSecondHalfGivesWhatTheFramesItHoldsGive) {
  testing::TempDir dir;
  const std::vector<float> samples = Cycles(2, 4 * 48000);
  const Bytes whole = testing::SoundFileBytes(SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 48000, 2, samples);
  testing::WriteFile(dir.File("CUT.FLAC"), CutTo(whole, whole.size() / 3));
  FileNameSet cut;
  cut.SourceName = dir.File("CUT.FLAC");
  RecordingReporter reporter;
  ASSERT_EQ(Recode(cut, reporter), Outcome::Success) << reporter.Texts().back();
  const std::string shorter = reporter.Texts()[3];
  const std::string prefix = "File " + cut.SourceName + " is shorter than its header claims: it holds ";
  ASSERT_TRUE(shorter.starts_with(prefix)) << shorter;
  const std::size_t held = std::stoul(shorter.substr(prefix.size()));
  ASSERT_LT(held, 2 * 48000u);

  testing::WriteFile(dir.File("HELD.WAV"),
                     testing::SoundFileBytes(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2,
                                             std::vector<float>(samples.begin(), samples.begin() + 2 * held)));
  FileNameSet held_names;
  held_names.SourceName = dir.File("HELD.WAV");
  ASSERT_EQ(Recode(held_names, reporter), Outcome::Success);
  EXPECT_EQ(testing::ReadFile(cut.MsrName), testing::ReadFile(held_names.MsrName));
}

TEST(RawRecode, ARecordingTheLibraryCannotReadIsRefusedWithItsReason) {
  testing::TempDir dir;
  const std::string path = dir.File("NOTES.WAV");
  testing::WriteFile(path, Bytes(10000, 0x41));
  FileNameSet names;
  names.SourceName = path;
  RecordingReporter reporter;
  EXPECT_EQ(Recode(names, reporter), Outcome::Failure);
  const Lines lines = reporter.Texts();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(lines[2].starts_with("Error open file " + path + ": ")) << lines[2];
  EXPECT_GT(lines[2].size(), ("Error open file " + path + ": ").size());
  EXPECT_EQ(testing::ListDir(dir.Path()).size(), 1u);
}

TEST(Phase1Decode, ClassifiesWholeSamplesAcrossBlocks) {
  // 32765 samples of silence put the 18-sample run across the first 64 KiB;
  // the last byte alone, read as a sample, would end the open 9-sample run.
  Bytes input(32765 * 2, 0);
  const Bytes cycles = ShortCycles(2);
  for (int s = 0; s < 18; ++s) input.insert(input.end(), {0x78, 0xEC});
  input.insert(input.end(), {0x88, 0x13});
  input.insert(input.end(), cycles.begin(), cycles.end() - 2);
  input.push_back(0x88);
  EXPECT_EQ(RunOn(&Phase1Decode, "MSR", input, "TX1"), testing::BytesOf("01"));
}

TEST(Phase2Decode, PairsAcrossBlocks) {
  const std::string symbols = std::string(65535, '0') + "11" + "01110";
  EXPECT_EQ(RunOn(&Phase2Decode, "TX1", testing::BytesOf(symbols), "TX2"),
            testing::BytesOf(std::string(65535, '0') + "1" + "0110"));
}

// What a pass tells when it is done: how many of each kind it wrote.
struct ClosingCase {
  const char* name;
  Outcome (*run)(FileNameSet&, Reporter&);
  std::string input_ext;
  Bytes input;
  std::string line;
};

class ClosingLineTest : public ::testing::TestWithParam<ClosingCase> {};

TEST_P(ClosingLineTest, CountsEachKindWithItsShare) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("tape." + GetParam().input_ext), GetParam().input);
  FileNameSet names;
  names.SourceName = dir.File("tape");
  RecordingReporter reporter;
  ASSERT_EQ(GetParam().run(names, reporter), Outcome::Success);
  EXPECT_EQ(reporter.Texts().back(), GetParam().line);
}

Bytes LongThenShortCycles() {
  Bytes bytes;
  for (int s = 0; s < 20; ++s) bytes.insert(bytes.end(), {0x78, 0xEC});
  bytes.insert(bytes.end(), {0x88, 0x13});
  const Bytes shorts = ShortCycles(2);
  bytes.insert(bytes.end(), shorts.begin(), shorts.end());
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Passes, ClosingLineTest,
    ::testing::Values(
        ClosingCase{"phase1_a_third_long", &Phase1Decode, "MSR", LongThenShortCycles(),
                    "Phase 1 done: 3 cycles, 2 short (66 %), 1 long (33 %)"},
        ClosingCase{"phase2_halves", &Phase2Decode, "TX1", testing::BytesOf("011110"),
                    "Phase 2 done: 4 bits, 2 zeros (50 %), 2 ones (50 %)"},
        ClosingCase{"phase2_other_characters", &Phase2Decode, "TX1", testing::BytesOf("0xy0"),
                    "Phase 2 done: 3 bits, 2 zeros (66 %), 0 ones (0 %), 1 other characters (33 %)"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace orvano::decode
