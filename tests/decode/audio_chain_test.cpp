#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "common/recording_reporter.h"
#include "decode/operations.h"
#include "encode/convert_source.h"
#include "tape/cas_decode.h"
#include "tests/decode/sound_files.h"
#include "tests/support/temp_dir.h"

namespace orvano::decode {
namespace {

using testing::Bytes;

// What the step-by-step chain makes of a recording: the recoded signal and
// the tape file it finds.
struct ChainResult {
  Bytes msr;
  tape::TapeFileKind kind = tape::TapeFileKind::None;
  Bytes file;
};

ChainResult RunChain(const std::string& recording) {
  FileNameSet names;
  names.SourceName = recording;
  RecordingReporter reporter;
  ChainResult result;
  if (RawRecode(names, {}, reporter) != Outcome::Success || Phase1Decode(names, reporter) != Outcome::Success ||
      Phase2Decode(names, reporter) != Outcome::Success) {
    ADD_FAILURE() << "the chain stopped: " << reporter.Texts().back();
    return result;
  }
  result.msr = testing::ReadFile(names.MsrName);
  const tape::CasDecodeResult extracted = tape::CasDecode(names, reporter);
  if (extracted.outcome != Outcome::Success) return result;
  result.kind = extracted.kind;
  result.file = testing::ReadFile(names.OutputName);
  return result;
}

// The tape of a 64-byte binary as the encoder writes it, with its first
// leader cut to 1000 cells to keep the recordings short.
struct Tape {
  std::vector<float> levels;  // at 44100 Hz, full scale ±1
  ChainResult from_raw;
};

const Tape& TheTape() {
  static const Tape tape = [] {
    testing::TempDir dir;
    Bytes binary(64);
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<std::uint8_t>(i * 29 + 3);
    testing::WriteFile(dir.File("GAME.BIN"), binary);
    FileNameSet names;
    RecordingReporter reporter;
    if (encode::ConvertSource(dir.File("GAME.BIN"), names, {}, reporter) != Outcome::Success) {
      throw std::runtime_error("the encoder failed");
    }
    Bytes raw = testing::ReadFile(names.MsrName);
    raw.erase(raw.begin(), raw.begin() + 2 * 36 * (7680 - 1000));
    // An even count of samples: the sound library reads the pad byte of an
    // odd-sized 8-bit AIFF back as one more frame.
    raw.resize(raw.size() / 4 * 4);
    std::filesystem::create_directory(dir.File("raw"));
    testing::WriteFile(dir.File("raw/GAME.RAW"), raw);
    Tape made;
    made.from_raw = RunChain(dir.File("raw/GAME.RAW"));
    made.levels.resize(raw.size() / 2);
    for (std::size_t i = 0; i < made.levels.size(); ++i) {
      made.levels[i] = static_cast<float>(static_cast<std::int16_t>(raw[2 * i] | raw[2 * i + 1] << 8)) / 32768.0f;
    }
    return made;
  }();
  return tape;
}

struct Kind {
  const char* name;
  const char* ext;
  int format;
};

const Kind kKinds[] = {
    {"wav_u8", "WAV", SF_FORMAT_WAV | SF_FORMAT_PCM_U8},     {"wav_16", "wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
    {"wav_24", "WAV", SF_FORMAT_WAV | SF_FORMAT_PCM_24},     {"wav_float", "WAV", SF_FORMAT_WAV | SF_FORMAT_FLOAT},
    {"aiff_s8", "AIFF", SF_FORMAT_AIFF | SF_FORMAT_PCM_S8},  {"aiff_16", "aif", SF_FORMAT_AIFF | SF_FORMAT_PCM_16},
    {"aiff_24", "AIFF", SF_FORMAT_AIFF | SF_FORMAT_PCM_24},  {"aiff_float", "AIFF", SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
    {"flac_s8", "FLAC", SF_FORMAT_FLAC | SF_FORMAT_PCM_S8},  {"flac_16", "flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
    {"flac_24", "FLAC", SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
};

void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }

// The tape as a recorder at `rate` hears it; a second channel carries loud
// hum, which Auto must pass over for the quieter tape.
std::vector<float> Recording(const std::vector<float>& levels, unsigned rate, unsigned channels) {
  const std::size_t frames = levels.size() * rate / 44100;
  std::vector<float> samples(frames * channels);
  for (std::size_t j = 0; j < frames; ++j) {
    const float tape = levels[j * 44100 / rate];
    if (channels == 1) {
      samples[j] = tape;
    } else {
      samples[2 * j] = 0.5f * static_cast<float>(std::sin(2 * M_PI * 50 * static_cast<double>(j) / rate));
      samples[2 * j + 1] = tape;
    }
  }
  return samples;
}

class AudioChain : public ::testing::TestWithParam<std::tuple<Kind, unsigned, unsigned>> {};

TEST_P(AudioChain, GivesTheTapeFileOfTheRawRecording) {
  const auto& [kind, rate, channels] = GetParam();
  const Tape& tape = TheTape();
  ASSERT_EQ(tape.from_raw.kind, tape::TapeFileKind::Binary);
  ASSERT_EQ(tape.from_raw.file.size(), 64u);

  testing::TempDir dir;
  const std::string path = dir.File(std::string("GAME.") + kind.ext);
  testing::WriteFile(path, testing::SoundFileBytes(kind.format, rate, channels, Recording(tape.levels, rate, channels)));
  const ChainResult result = RunChain(path);
  // Resampled to 44100 Hz: as long as the tape, give or take the rounding
  // of the two rates' sample counts.
  EXPECT_NEAR(static_cast<double>(result.msr.size() / 2), static_cast<double>(tape.levels.size()), 2.0);
  EXPECT_EQ(result.kind, tape.from_raw.kind);
  EXPECT_EQ(result.file, tape.from_raw.file);
  // At the rate of a .RAW nothing is resampled, and every sample kind
  // holds the levels closely enough to recode to the very same signal.
  if (rate == 44100) {
    EXPECT_TRUE(result.msr == tape.from_raw.msr) << "the recoded signals differ";
  }
}

std::string CaseName(const ::testing::TestParamInfo<AudioChain::ParamType>& info) {
  const auto& [kind, rate, channels] = info.param;
  return std::string(kind.name) + "_" + std::to_string(rate) + (channels == 1 ? "_mono" : "_stereo");
}

INSTANTIATE_TEST_SUITE_P(Recordings, AudioChain,
                         ::testing::Combine(::testing::ValuesIn(kKinds), ::testing::Values(22050u, 44100u, 48000u, 96000u),
                                            ::testing::Values(1u, 2u)),
                         CaseName);

// The data of the n-th block of an emulator tape image: what lies between
// the n-th marker and the next.
Bytes BlockOfImage(const Bytes& image, std::size_t n) {
  const Bytes marker{0x1F, 0xA6, 0xDE, 0xBA, 0xCC, 0x13, 0x7D, 0x74};
  std::vector<std::size_t> starts;
  for (auto at = image.begin(); (at = std::search(at, image.end(), marker.begin(), marker.end())) != image.end(); ++at) {
    starts.push_back(static_cast<std::size_t>(at - image.begin()));
  }
  if (starts.size() < n + 2) return {};
  return Bytes(image.begin() + static_cast<std::ptrdiff_t>(starts[n] + marker.size()),
               image.begin() + static_cast<std::ptrdiff_t>(starts[n + 1]));
}

// Waves that other tools made of a three-file image, read as they are: the
// chain finds the first file, the BASIC loader, and its program.
TEST(OtherToolsWaves, GiveTheFirstProgramOfTheirImage) {
  const std::string samples = ORVANO_SAMPLES;
  if (!testing::Exists(samples + "/THREE.CAS")) GTEST_SKIP() << "no samples in " << samples;
  const Bytes program = BlockOfImage(testing::ReadFile(samples + "/THREE.CAS"), 1);
  ASSERT_FALSE(program.empty());
  for (const char* wave : {"THREE-castools.wav", "THREE-ffix.wav"}) {
    SCOPED_TRACE(wave);
    testing::TempDir dir;
    testing::WriteFile(dir.File(wave), testing::ReadFile(samples + "/" + wave));
    const ChainResult result = RunChain(dir.File(wave));
    EXPECT_EQ(result.kind, tape::TapeFileKind::Basic);
    ASSERT_GE(result.file.size(), program.size());
    EXPECT_EQ(Bytes(result.file.begin(), result.file.begin() + static_cast<std::ptrdiff_t>(program.size())), program);
  }
}

}  // namespace
}  // namespace orvano::decode
