#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/memory_stream.h"
#include "common/recording_reporter.h"
#include "decode/operations.h"
#include "decode/recording_facts.h"
#include "decode/sound_file_source.h"
#include "tests/decode/sound_files.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_data_size.h"

namespace orvano::decode {
namespace {

using testing::Bytes;
using Lines = std::vector<std::string>;

// A 1 kHz tone whose channels differ in level, so that a mix-up of the
// interleaving shows.
std::vector<float> Tone(unsigned rate, unsigned channels, std::size_t frames) {
  std::vector<float> samples(frames * channels);
  for (std::size_t i = 0; i < frames; ++i) {
    const float value = 0.5f * static_cast<float>(std::sin(2 * M_PI * 1000.0 * static_cast<double>(i) / rate));
    for (unsigned c = 0; c < channels; ++c) samples[i * channels + c] = value / static_cast<float>(c + 1);
  }
  return samples;
}

OpenedAudio OpenBytes(Bytes bytes) { return OpenSoundStream(std::make_unique<MemoryStream>(std::move(bytes))); }

// Reads to the end in blocks of an odd size.
std::vector<float> ReadAll(AudioSource& source, std::size_t block_frames = 1237) {
  const unsigned channels = source.Facts().channels;
  std::vector<float> all;
  std::vector<float> block(block_frames * channels);
  while (const std::size_t count = source.Read(block)) all.insert(all.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(count * channels));
  return all;
}

struct FormatCase {
  const char* name;
  int format;
  unsigned rate;
  unsigned channels;
  const char* words;
  unsigned bits;
  float tolerance;  // the sample kind's step; a lossy kind is checked for its length only
};

void PrintTo(const FormatCase& c, std::ostream* out) { *out << c.name; }

const FormatCase kFormats[] = {
    {"wav_u8", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 8000, 1, "WAV, 8-bit unsigned PCM", 8, 1.0f / 128},
    {"wav_16", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, "WAV, 16-bit PCM", 16, 1.0f / 32768},
    {"wav_24", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 96000, 2, "WAV, 24-bit PCM", 24, 1e-6f},
    {"wav_32", SF_FORMAT_WAV | SF_FORMAT_PCM_32, 22050, 1, "WAV, 32-bit PCM", 32, 1e-6f},
    {"wav_float", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, 2, "WAV, 32-bit float", 32, 0},
    {"wav_double", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 384000, 1, "WAV, 64-bit float", 64, 0},
    {"wav_extensible", SF_FORMAT_WAVEX | SF_FORMAT_PCM_24, 48000, 4, "WAV (extensible), 24-bit PCM", 24, 1e-6f},
    {"aiff_s8", SF_FORMAT_AIFF | SF_FORMAT_PCM_S8, 11025, 1, "AIFF, 8-bit signed PCM", 8, 1.0f / 128},
    {"aiff_float", SF_FORMAT_AIFF | SF_FORMAT_FLOAT, 44100, 2, "AIFF, 32-bit float", 32, 0},
    {"flac_16", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 2, "FLAC, 16-bit PCM", 16, 1.0f / 32768},
    {"flac_24", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 96000, 1, "FLAC, 24-bit PCM", 24, 1e-6f},
    {"au_16", SF_FORMAT_AU | SF_FORMAT_PCM_16, 8000, 1, "AU, 16-bit PCM", 16, 1.0f / 32768},
    {"ogg_vorbis", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 44100, 2, "Ogg, Vorbis", 0, -1},
};

class SoundFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(SoundFormat, TellsItsFactsAndReadsBackItsSamples) {
  const FormatCase& c = GetParam();
  const std::size_t frames = c.rate / 4 + 2;
  const std::vector<float> written = Tone(c.rate, c.channels, frames);
  const OpenedAudio opened = OpenBytes(testing::SoundFileBytes(c.format, c.rate, c.channels, written));
  ASSERT_TRUE(opened.source) << opened.reason;
  AudioSource& source = *opened.source;
  const AudioFacts& facts = source.Facts();
  EXPECT_EQ(facts.format, c.words);
  EXPECT_EQ(facts.sample_rate, c.rate);
  EXPECT_EQ(facts.channels, c.channels);
  EXPECT_EQ(facts.bits, c.bits);
  EXPECT_EQ(facts.frames, frames);
  EXPECT_FALSE(facts.shorter_than_header);

  std::vector<float> head(10 * c.channels);
  ASSERT_EQ(source.Read(head), 10u);
  ASSERT_TRUE(source.Rewind());
  const std::vector<float> read = ReadAll(source);
  EXPECT_EQ(source.Error(), "");
  ASSERT_EQ(read.size(), written.size());
  // The lossy kinds land near a frame they are sent to, the others on it.
  EXPECT_EQ(facts.seeks_exactly, c.tolerance >= 0);
  if (c.tolerance < 0) return;
  for (std::size_t i = 0; i < read.size(); ++i) ASSERT_NEAR(read[i], written[i], c.tolerance) << "at " << i;
  ASSERT_TRUE(source.Seek(frames / 2));
  const std::vector<float> second_half = ReadAll(source);
  EXPECT_TRUE(std::equal(second_half.begin(), second_half.end(), read.end() - static_cast<std::ptrdiff_t>(second_half.size())));
  EXPECT_EQ(second_half.size(), (frames - frames / 2) * c.channels);
  EXPECT_FALSE(source.Seek(frames + 1));
}

INSTANTIATE_TEST_SUITE_P(Kinds, SoundFormat, ::testing::ValuesIn(kFormats),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// A file cut inside its data: the header promises more frames than there are.
struct CutCase {
  const char* name;
  int format;
  bool known_at_open;  // WAV and AIFF show it in their header; FLAC only at its end
};

void PrintTo(const CutCase& c, std::ostream* out) { *out << c.name; }

class CutFile : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutFile, ReadsWhatIsThereAndSaysItIsShort) {
  const std::vector<float> written = Tone(22050, 2, 22050);
  Bytes bytes = testing::SoundFileBytes(GetParam().format, 22050, 2, written);
  bytes.resize(bytes.size() / 3);
  const OpenedAudio opened = OpenBytes(bytes);
  ASSERT_TRUE(opened.source) << opened.reason;
  AudioSource& source = *opened.source;
  EXPECT_EQ(source.Facts().shorter_than_header, GetParam().known_at_open);
  const std::vector<float> read = ReadAll(source);
  EXPECT_EQ(source.Error(), "");
  const AudioFacts& facts = source.Facts();
  EXPECT_TRUE(facts.shorter_than_header);
  EXPECT_EQ(facts.header_frames, 22050u);
  EXPECT_EQ(read.size(), facts.frames * 2);
  EXPECT_GT(facts.frames, 1000u);
  EXPECT_LT(facts.frames, 22050u);
  for (std::size_t i = 0; i < 2000; ++i) ASSERT_NEAR(read[i], written[i], 1e-4f) << "at " << i;
  // A second pass, as after the channel choice's look-ahead, ends alike.
  ASSERT_TRUE(source.Rewind());
  EXPECT_EQ(ReadAll(source, 500), read);
  EXPECT_EQ(source.Error(), "");
}

// A WAV whose recorder never wrote the size of its data (0, or FFFFFFFF from
// a stream), maybe after a chunk of odd length, holds its samples all the
// same. With nothing after the data chunk there is nothing to read.
TEST(SoundFile, AWaveWithoutADataSizeIsReadToItsEnd) {
  const std::vector<float> written = Tone(22050, 2, 5000);
  const Bytes wave = testing::SoundFileBytes(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 22050, 2, written);
  const std::size_t data = testing::DataChunkAt(wave);
  Bytes odd_chunk_first(wave.begin(), wave.begin() + static_cast<std::ptrdiff_t>(data));
  odd_chunk_first.insert(odd_chunk_first.end(), {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0});
  odd_chunk_first.insert(odd_chunk_first.end(), wave.begin() + static_cast<std::ptrdiff_t>(data), wave.end());
  const struct {
    const char* name;
    Bytes bytes;
    std::size_t frames;
    bool unsized;
  } cases[] = {
      {"size 0", testing::WithDataSize(wave, 0), 5000, true},
      {"size FFFFFFFF", testing::WithDataSize(wave, 0xFFFF'FFFFu), 5000, true},
      {"size 0 after an odd chunk", testing::WithDataSize(odd_chunk_first, 0), 5000, true},
      {"size 0 and no data", testing::WithDataSize(Bytes(wave.begin(), wave.begin() + static_cast<std::ptrdiff_t>(data + 8)), 0), 0, false},
      {"sized", wave, 5000, false},
  };
  for (const auto& c : cases) {
    const OpenedAudio opened = OpenBytes(c.bytes);
    ASSERT_TRUE(opened.source) << c.name << ": " << opened.reason;
    const AudioFacts& facts = opened.source->Facts();
    EXPECT_EQ(facts.frames, c.frames) << c.name;
    EXPECT_EQ(facts.unsized_data, c.unsized) << c.name;
    EXPECT_FALSE(facts.shorter_than_header) << c.name;
    const std::vector<float> read = ReadAll(*opened.source);
    ASSERT_EQ(read.size(), c.frames * 2) << c.name;
    for (std::size_t i = 0; i < read.size(); ++i) ASSERT_NEAR(read[i], written[i], 1.0f / 32768) << c.name << " at " << i;
  }
}

// An AU header whose data would start inside the header itself: how many
// frames the library reads of it depends on how much each read asks for.
// Every pass over it must still end at one frame.
TEST(SoundFile, EveryPassEndsAtTheSameFrameWhateverItsReadsAskFor) {
  Bytes bytes{'.', 's', 'n', 'd', 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 3, 0, 0, 0x1F, 0x40, 0, 0, 0, 10};
  for (std::size_t i = 0; i < 160; ++i) bytes.push_back(static_cast<std::uint8_t>(i * 37));
  const OpenedAudio opened = OpenBytes(bytes);
  ASSERT_TRUE(opened.source) << opened.reason;
  AudioSource& source = *opened.source;
  const std::size_t first = ReadAll(source, 10).size();
  ASSERT_TRUE(source.Rewind());
  EXPECT_EQ(ReadAll(source, 9).size(), first);
  EXPECT_EQ(first, source.Facts().frames * 10);
}

INSTANTIATE_TEST_SUITE_P(Kinds, CutFile,
                         ::testing::Values(CutCase{"wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, true},
                                           CutCase{"aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, true},
                                           CutCase{"flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, false}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(SoundFile, BytesThatAreNoSoundFileAreRefusedWithTheLibrarysReason) {
  for (const Bytes& bytes : {Bytes{}, testing::BytesOf("RIFF\x10\0\0\0WAVEfmt "), Bytes(5000, 0x55)}) {
    const OpenedAudio opened = OpenBytes(bytes);
    EXPECT_FALSE(opened.source);
    EXPECT_FALSE(opened.reason.empty());
    EXPECT_NE(opened.reason.back(), '.');
  }
}

TEST(FactsText, GivesKindRateChannelsAndMinutesAndSeconds) {
  const struct {
    AudioFacts facts;
    std::string text;
  } cases[] = {
      {{"WAV, 16-bit PCM", 48000, 16, 2, 60ull * 60 * 48000}, "WAV, 16-bit PCM, 48000 Hz, 2 channels, 60:00"},
      {{"FLAC, 24-bit PCM", 96000, 24, 1, 96000ull * 65 - 1}, "FLAC, 24-bit PCM, 96000 Hz, 1 channel, 1:04"},
      {{"RAW, 16-bit PCM", 44100, 16, 1, 0}, "RAW, 16-bit PCM, 44100 Hz, 1 channel, 0:00"},
      {{"Ogg, Vorbis", 44100, 0, 2, 0, false}, "Ogg, Vorbis, 44100 Hz, 2 channels, length unknown"},
  };
  for (const auto& c : cases) EXPECT_EQ(FactsText(c.facts), c.text);
}

// DescribeRecording on files: what Open logs.
struct DescribeCase {
  const char* name;
  const char* file;
  Bytes (*make)();  // nothing: the file is missing
  Lines (*lines)(const std::string& path);
};

void PrintTo(const DescribeCase& c, std::ostream* out) { *out << c.name; }

Bytes Stereo48k() { return testing::SoundFileBytes(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, Tone(48000, 2, 48000 * 5 / 2)); }
Bytes ToneAt(unsigned rate) { return testing::SoundFileBytes(SF_FORMAT_WAV | SF_FORMAT_PCM_16, rate, 1, Tone(rate, 1, 100)); }

const DescribeCase kDescriptions[] = {
    {"wav", "GAME.WAV", &Stereo48k,
     [](const std::string&) -> Lines { return {"WAV, 16-bit PCM, 48000 Hz, 2 channels, 0:02"}; }},
    {"raw", "GAME.raw", [] { return Bytes(44100 * 2 * 3 + 1, 0); },
     [](const std::string&) -> Lines { return {"RAW, 16-bit PCM, 44100 Hz, 1 channel, 0:03"}; }},
    {"cut_wav", "CUT.WAV",
     [] {
       Bytes bytes = Stereo48k();
       bytes.resize(44 + 4 * 1000);
       return bytes;
     },
     [](const std::string& path) -> Lines {
       return {"WAV, 16-bit PCM, 48000 Hz, 2 channels, 0:00",
               "File " + path + " is shorter than its header claims: it holds 1000 of 120000 frames"};
     }},
    {"missing_wav", "GONE.WAV", nullptr,
     [](const std::string& path) -> Lines { return {"Error open file " + path + ": No such file or directory"}; }},
    {"missing_raw", "GONE.RAW", nullptr,
     [](const std::string& path) -> Lines { return {"Error open file " + path + ": No such file or directory"}; }},
    {"rate_too_low", "LOW.WAV", [] { return ToneAt(7999); },
     [](const std::string& path) -> Lines {
       return {"Can't read file " + path + ": its sample rate of 7999 Hz is outside 8000 to 384000 Hz"};
     }},
    {"rate_too_high", "HIGH.WAV", [] { return ToneAt(384001); },
     [](const std::string& path) -> Lines {
       return {"Can't read file " + path + ": its sample rate of 384001 Hz is outside 8000 to 384000 Hz"};
     }},
};

class Describe : public ::testing::TestWithParam<DescribeCase> {};

TEST_P(Describe, LogsWhatTheRecordingIs) {
  testing::TempDir dir;
  const std::string path = dir.File(GetParam().file);
  if (GetParam().make != nullptr) testing::WriteFile(path, GetParam().make());
  RecordingReporter reporter;
  const Lines expected = GetParam().lines(path);
  const bool readable = expected.front().find("Error") != 0 && expected.front().find("Can't") != 0;
  EXPECT_EQ(DescribeRecording(path, reporter), readable ? Outcome::Success : Outcome::Failure);
  EXPECT_EQ(reporter.Texts(), expected);
  EXPECT_EQ(testing::ListDir(dir.Path()).size(), GetParam().make != nullptr ? 1u : 0u) << "nothing is written";
}

INSTANTIATE_TEST_SUITE_P(Files, Describe, ::testing::ValuesIn(kDescriptions),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// Signals made by other tools, read as they are.
TEST(Describe, TellsTheFactsOfOtherToolsWaves) {
  const std::string dir = ORVANO_SAMPLES;
  if (!testing::Exists(dir + "/THREE-castools.wav")) GTEST_SKIP() << "no samples in " << dir;
  const struct {
    const char* file;
    const char* line;
  } cases[] = {
      {"THREE-castools.wav", "WAV, 8-bit unsigned PCM, 43200 Hz, 1 channel, 1:06"},
      {"THREE-ffix.wav", "WAV, 16-bit PCM, 22050 Hz, 1 channel, 0:55"},
  };
  for (const auto& c : cases) {
    RecordingReporter reporter;
    EXPECT_EQ(DescribeRecording(dir + "/" + c.file, reporter), Outcome::Success);
    EXPECT_EQ(reporter.Texts(), Lines{c.line});
  }
}

}  // namespace
}  // namespace orvano::decode
