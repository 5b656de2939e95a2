#include "decode/demodulator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/decode/framing_sink.h"
#include "tests/support/tape_synth.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_samples.h"

namespace orvano::decode {
namespace {

using orvano::testing::Dropout;
using orvano::testing::Gap;
using orvano::testing::SampleFormat;
using orvano::testing::SynthBlock;
using orvano::testing::Synthesize;
using orvano::testing::TapePlan;
using orvano::testing::WaveShape;
using testing::FramingSink;

std::vector<std::uint8_t> RandomBytes(std::size_t count, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> bytes(count);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

// A header block and a data block as a tape has them, with short leaders
// to keep the tests quick. The data holds every byte value's neighbours:
// runs of FF and 00 as well as random bytes.
TapePlan TwoBlocks(unsigned rate, double baud) {
  TapePlan plan;
  plan.sample_rate = rate;
  std::vector<std::uint8_t> header(10, 0xD0);
  for (const char c : std::string("GAME  ")) header.push_back(static_cast<std::uint8_t>(c));
  std::vector<std::uint8_t> data = RandomBytes(60, static_cast<std::uint32_t>(rate) + static_cast<std::uint32_t>(baud));
  data.insert(data.begin() + 20, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x55, 0xAA});
  plan.blocks = {SynthBlock{header, baud, 1200, {}}, SynthBlock{data, baud, 600, {}}};
  plan.gap_seconds = 0.25;
  return plan;
}

FramingSink Demodulate(const std::vector<float>& samples, unsigned rate, std::size_t piece = 4099) {
  FramingSink sink;
  Demodulator demodulator(rate, sink);
  for (std::size_t at = 0; at < samples.size(); at += piece) {
    demodulator.Feed(std::span(samples).subspan(at, std::min(piece, samples.size() - at)));
  }
  demodulator.Finish();
  return sink;
}

// Every block comes back whole and framed right, at the speed it was played.
void ExpectEveryBlock(const FramingSink& sink, const TapePlan& plan, double speed = 1) {
  EXPECT_EQ(sink.order_faults, 0u);
  ASSERT_EQ(sink.blocks.size(), plan.blocks.size());
  for (std::size_t i = 0; i < plan.blocks.size(); ++i) {
    SCOPED_TRACE("block " + std::to_string(i));
    std::vector<std::uint8_t> expected = plan.blocks[i].bytes;
    expected.insert(expected.end(), plan.blocks[i].junk.begin(), plan.blocks[i].junk.end());
    EXPECT_EQ(sink.blocks[i].bytes, expected);
    EXPECT_EQ(sink.blocks[i].bad_frames, 0u);
    EXPECT_NEAR(sink.blocks[i].baud, plan.blocks[i].baud * speed, 0.03 * plan.blocks[i].baud);
  }
}

// --- One fault at a time, then all together -------------------------------

struct FaultCase {
  const char* name;
  double speed;  // the speed the fault plays the tape at
  std::function<void(TapePlan&)> apply;
};

const FaultCase kFaults[] = {
    {"Clean", 1, [](TapePlan&) {}},
    {"Offset", 1, [](TapePlan& s) { s.impairments.level_dbfs = -9; s.impairments.dc_offset = 0.4; }},
    {"OffsetDrift", 1,
     [](TapePlan& s) {
       s.impairments.level_dbfs = -12;
       s.impairments.dc_offset = -0.2;
       s.impairments.drift = 0.4;
       s.impairments.drift_hz = 2;
     }},
    {"Inverted", 1, [](TapePlan& s) { s.impairments.inverted = true; }},
    {"Quiet40dB", 1,
     [](TapePlan& s) {
       s.impairments.level_dbfs = -40;
       s.format = SampleFormat::Signed16;
     }},
    {"EightBit", 1, [](TapePlan& s) { s.format = SampleFormat::Unsigned8; }},
    {"Clipped", 1,
     [](TapePlan& s) {
       s.shape = WaveShape::Smooth;
       s.impairments.level_dbfs = 14;
     }},
    {"Noise14dB", 1, [](TapePlan& s) { s.impairments.snr_db = 14; }},
    {"SmoothNoise14dB", 1,
     [](TapePlan& s) {
       s.shape = WaveShape::Smooth;
       s.impairments.snr_db = 14;
     }},
    {"Hum50", 1, [](TapePlan& s) { s.impairments.hum_db = -12; }},
    {"Hum60", 1,
     [](TapePlan& s) {
       s.impairments.hum_db = -12;
       s.impairments.hum_hz = 60;
     }},
    {"LopsidedDuty", 1, [](TapePlan& s) { s.impairments.duty = 0.62; }},
    {"LopsidedLevel", 1, [](TapePlan& s) { s.impairments.second_half = 0.45; }},
    {"HighFrequencyLoss", 1,
     [](TapePlan& s) { s.impairments.hf_cutoff_hz = 2.1 * s.blocks[0].baud; }},
    {"Slow", 0.9, [](TapePlan& s) { s.impairments.speed = 0.9; }},
    {"Fast", 1.1, [](TapePlan& s) { s.impairments.speed = 1.1; }},
    {"WowFlutter", 1,
     [](TapePlan& s) {
       s.impairments.wow = 0.03;
       s.impairments.wow_hz = 0.8;
       s.impairments.flutter = 0.008;
       s.impairments.flutter_hz = 14;
     }},
    {"DropoutsInLeaderAndData", 1,
     [](TapePlan& s) {
       // A deep one in each leader, and a shallow one in the data.
       const double cell = 1 / s.blocks[0].baud;
       const double header_leader = s.gap_seconds;
       const double data_leader = header_leader + (600 + 16 * 11) * cell + s.gap_seconds;
       const double data = data_leader + 300 * cell;
       s.impairments.dropouts = {{header_leader + 200 * cell, 0.03, -40},
                                 {data_leader + 100 * cell, 0.01, -60},
                                 {data + 300 * cell, 0.012, -16}};
     }},
    {"Everything", 0.95,
     [](TapePlan& s) {
       auto& f = s.impairments;
       s.shape = WaveShape::Smooth;
       s.format = SampleFormat::Unsigned8;
       f.inverted = true;
       f.level_dbfs = -12;
       f.dc_offset = 0.1;
       f.drift = 0.05;
       f.snr_db = 20;
       f.hum_db = -20;
       f.duty = 0.56;
       f.second_half = 0.8;
       f.hf_cutoff_hz = 3 * s.blocks[0].baud;
       f.speed = 0.95;
       f.wow = 0.01;
       f.flutter = 0.004;
       f.dropouts = {{0.6, 0.02, -30}};
     }},
};

struct FaultParam {
  unsigned rate;
  double baud;
  const FaultCase* fault;
};

class DemodulatorFaults : public ::testing::TestWithParam<FaultParam> {};

TEST_P(DemodulatorFaults, ReadsEveryByte) {
  const FaultParam& param = GetParam();
  TapePlan plan = TwoBlocks(param.rate, param.baud);
  param.fault->apply(plan);
  ExpectEveryBlock(Demodulate(Synthesize(plan), param.rate), plan, param.fault->speed);
}

std::vector<FaultParam> FaultParams() {
  std::vector<FaultParam> params;
  for (const FaultCase& fault : kFaults) {
    params.push_back({44100, 1200, &fault});
    params.push_back({22050, 2400, &fault});
  }
  for (const unsigned rate : {11025u, 96000u}) params.push_back({rate, 1200, &kFaults[std::size(kFaults) - 1]});
  return params;
}

INSTANTIATE_TEST_SUITE_P(Each, DemodulatorFaults, ::testing::ValuesIn(FaultParams()),
                         [](const ::testing::TestParamInfo<FaultParam>& param_info) {
                           return std::string(param_info.param.fault->name) + "_" + std::to_string(param_info.param.rate) + "Hz_" +
                                  std::to_string(static_cast<int>(param_info.param.baud)) + "baud";
                         });

// --- Sample rates, speeds, polarity and wave shape --------------------------

struct RateParam {
  unsigned rate;
  double baud;
  bool inverted;
  WaveShape shape;
};

class DemodulatorRates : public ::testing::TestWithParam<RateParam> {};

TEST_P(DemodulatorRates, ReadsEveryByte) {
  const RateParam& param = GetParam();
  TapePlan plan = TwoBlocks(param.rate, param.baud);
  plan.shape = param.shape;
  plan.impairments.inverted = param.inverted;
  plan.format = param.rate % 1000 == 0 ? SampleFormat::Signed16 : SampleFormat::Unsigned8;
  ExpectEveryBlock(Demodulate(Synthesize(plan), param.rate), plan);
}

std::vector<RateParam> RateParams() {
  std::vector<RateParam> params;
  int turn = 0;
  for (const unsigned rate : {11025u, 22050u, 43200u, 44100u, 48000u, 96000u, 192000u}) {
    for (const double baud : {1000.0, 1200.0, 1225.0, 2400.0, 2450.0, 2600.0}) {
      // A cell of 2450 baud at 11025 Hz holds four and a half samples; a
      // square wave sampled that coarsely puts its cycles a sample off, as
      // long as half of the high tone's. 2400 baud is the most it reads,
      // and only the square wave without a fault; a sine there comes
      // through 8 bits with a bit wrong now and then.
      if (rate / baud < 4.55) continue;
      const bool coarse = rate / baud < 6;
      for (const bool inverted : {false, true}) {
        params.push_back({rate, baud, inverted, ++turn % 2 == 0 || coarse ? WaveShape::Square : WaveShape::Smooth});
      }
    }
  }
  return params;
}

INSTANTIATE_TEST_SUITE_P(Each, DemodulatorRates, ::testing::ValuesIn(RateParams()),
                         [](const ::testing::TestParamInfo<RateParam>& param_info) {
                           return std::to_string(param_info.param.rate) + "Hz_" + std::to_string(static_cast<int>(param_info.param.baud)) +
                                  "baud_" + (param_info.param.inverted ? "inverted_" : "") +
                                  (param_info.param.shape == WaveShape::Square ? "square" : "smooth");
                         });

// --- What lies between blocks -----------------------------------------------

struct LayoutCase {
  const char* name;
  std::function<void(TapePlan&)> apply;
};

const LayoutCase kLayouts[] = {
    {"NoGapJunkAfterEveryBlock",
     [](TapePlan& s) {
       s.gap = Gap::Nothing;
       for (auto& block : s.blocks) block.junk = {0xFE, 0, 0, 0, 0, 0, 0, 0};
     }},
    {"NegativeLevelGaps", [](TapePlan& s) { s.gap = Gap::NegativeLevel; }},
    {"HissGaps",
     [](TapePlan& s) {
       s.gap = Gap::Hiss;
       s.hiss_db = -26;
     }},
    {"LoaderAt1200ThenDataAt2400NoGap",
     [](TapePlan& s) {
       s.gap = Gap::Nothing;
       s.blocks[1].baud = 2400;
       s.blocks[1].leader_cycles = 1200;
     }},
    {"LoaderAt1200ThenDataAt2400", [](TapePlan& s) { s.blocks[1].baud = 2400; }},
    {"DataAt2400ThenBlockAt1200NoGap",
     [](TapePlan& s) {
       s.gap = Gap::Nothing;
       s.blocks[0].baud = 2400;
     }},
    {"ThreeBlocksNoGapLastEndsInOnes",
     [](TapePlan& s) {
       s.gap = Gap::Nothing;
       s.blocks.push_back({{0x12, 0xFF, 0xFF}, 1200, 400, {}});
     }},
    {"ShortLeaders",
     [](TapePlan& s) {
       for (auto& block : s.blocks) block.leader_cycles = 260;
     }},
};

class DemodulatorLayouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(DemodulatorLayouts, ReadsEveryBlock) {
  for (const unsigned rate : {22050u, 44100u}) {
    SCOPED_TRACE(rate);
    TapePlan plan = TwoBlocks(rate, 1200);
    GetParam().apply(plan);
    ExpectEveryBlock(Demodulate(Synthesize(plan), rate), plan);
  }
}

INSTANTIATE_TEST_SUITE_P(Each, DemodulatorLayouts, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<LayoutCase>& param_info) { return param_info.param.name; });

// --- Nothing is invented ------------------------------------------------------

struct NothingCase {
  const char* name;
  std::function<std::vector<float>(unsigned rate)> make;
};

std::vector<float> Tone(unsigned rate, double seconds, const std::function<double(double)>& wave) {
  std::vector<float> samples(static_cast<std::size_t>(seconds * rate));
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<float>(wave(static_cast<double>(i) / rate));
  return samples;
}

const NothingCase kNothing[] = {
    {"Silence", [](unsigned rate) { return std::vector<float>(4 * rate, 0.0f); }},
    {"Offset", [](unsigned rate) { return std::vector<float>(4 * rate, -0.9f); }},
    {"WhiteNoise",
     [](unsigned rate) {
       std::mt19937 random(5);
       std::normal_distribution<double> gauss(0, 0.3);
       return Tone(rate, 4, [&](double) { return gauss(random); });
     }},
    {"Hum",
     [](unsigned rate) {
       return Tone(rate, 4, [](double t) {
         double value = 0;
         for (int h = 1; h <= 7; ++h) value += 0.5 / h * std::sin(2 * 3.14159265 * 50 * h * t + h);
         return value;
       });
     }},
    {"HumAndHiss",
     [](unsigned rate) {
       std::mt19937 random(6);
       std::normal_distribution<double> gauss(0, 0.05);
       return Tone(rate, 4, [&](double t) { return 0.4 * std::sin(2 * 3.14159265 * 60 * t) + gauss(random); });
     }},
    {"QuietHissIn8Bits",
     [](unsigned rate) {
       std::mt19937 random(7);
       std::uniform_int_distribution<int> step(-2, 2);
       return Tone(rate, 4, [&](double) { return step(random) / 128.0; });
     }},
};

class DemodulatorInventsNothing : public ::testing::TestWithParam<NothingCase> {};

TEST_P(DemodulatorInventsNothing, FromSignalsWithoutATape) {
  for (const unsigned rate : {11025u, 44100u}) {
    SCOPED_TRACE(rate);
    const FramingSink sink = Demodulate(GetParam().make(rate), rate);
    EXPECT_EQ(sink.leaders, 0u);
    EXPECT_EQ(sink.bits, 0u);
    EXPECT_TRUE(sink.blocks.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Each, DemodulatorInventsNothing, ::testing::ValuesIn(kNothing),
                         [](const ::testing::TestParamInfo<NothingCase>& param_info) { return param_info.param.name; });

// --- Events, times and blocks of any length ---------------------------------

// Every call the demodulator makes, in order.
class LoggingSink final : public SymbolSink {
 public:
  void Leader(double start, double baud, double level) override {
    log += "L" + std::to_string(start) + "/" + std::to_string(baud) + "/" + std::to_string(level) + " ";
  }
  void Bit(std::uint8_t bit, double time) override { log += std::to_string(bit) + "@" + std::to_string(time) + " "; }
  void BlockEnd(double time) override { log += "E" + std::to_string(time) + " "; }

  std::string log;
};

TEST(Demodulator, HearsTheSameWhateverTheBlockLengths) {
  TapePlan plan = TwoBlocks(44100, 1200);
  plan.impairments.snr_db = 16;
  const std::vector<float> samples = Synthesize(plan);
  std::string first;
  for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{4096}, std::size_t{8193}, samples.size()}) {
    SCOPED_TRACE(piece);
    LoggingSink sink;
    Demodulator demodulator(44100, sink);
    for (std::size_t at = 0; at < samples.size(); at += piece) {
      demodulator.Feed(std::span(samples).subspan(at, std::min(piece, samples.size() - at)));
    }
    demodulator.Finish();
    if (first.empty()) first = sink.log;
    EXPECT_EQ(sink.log, first);
  }
  EXPECT_FALSE(first.empty());
}

TEST(Demodulator, TellsWhereLeadersAndBlocksAreAndHowFastAndLoud) {
  TapePlan plan = TwoBlocks(48000, 1225);
  plan.impairments.level_dbfs = -12;
  const FramingSink sink = Demodulate(Synthesize(plan), 48000);
  ASSERT_EQ(sink.blocks.size(), 2u);
  const double cell = 1 / 1225.0;
  double at = plan.gap_seconds;
  for (std::size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const double leader = static_cast<double>(plan.blocks[i].leader_cycles / 2) * cell;
    const double data = static_cast<double>(plan.blocks[i].bytes.size()) * 11 * cell;
    EXPECT_NEAR(sink.blocks[i].leader_start, at, 4 * cell);
    EXPECT_NEAR(sink.blocks[i].start, at + leader, cell / 4);
    EXPECT_NEAR(sink.blocks[i].end, at + leader + data, cell);
    EXPECT_NEAR(sink.blocks[i].baud, 1225, 2);
    EXPECT_NEAR(sink.blocks[i].level_dbfs, -12, 1.5);
    at += leader + data + plan.gap_seconds;
  }
}

TEST(Demodulator, AFinishWithoutSamplesHearsNothing) {
  FramingSink sink;
  Demodulator demodulator(44100, sink);
  demodulator.Feed({});
  demodulator.Finish();
  EXPECT_EQ(sink.leaders + sink.bits, 0u);
}

TEST(Demodulator, ALeaderWithoutABlockIsToldAlone) {
  TapePlan plan = TwoBlocks(44100, 1200);
  plan.blocks.resize(1);
  plan.blocks[0].bytes.clear();
  const FramingSink sink = Demodulate(Synthesize(plan), 44100);
  EXPECT_EQ(sink.leaders, 1u);
  EXPECT_EQ(sink.bits, 0u);
}

TEST(Demodulator, ARecordingCutInsideABlockEndsTheBlock) {
  TapePlan plan = TwoBlocks(44100, 1200);
  std::vector<float> samples = Synthesize(plan);
  // Half-way through the second block's data.
  samples.resize(static_cast<std::size_t>(2.45 * 44100));
  const FramingSink sink = Demodulate(samples, 44100);
  ASSERT_EQ(sink.blocks.size(), 2u);
  EXPECT_EQ(sink.order_faults, 0u);
  const auto& heard = sink.blocks[1].bytes;
  ASSERT_GT(heard.size(), 10u);
  const auto& played = plan.blocks[1].bytes;
  EXPECT_TRUE(std::equal(heard.begin(), heard.end() - 1, played.begin()));
}

TEST(Demodulator, ReadsSynthesisedWaveFilesOfEveryFormat) {
  orvano::testing::TempDir dir;
  for (const SampleFormat format : {SampleFormat::Unsigned8, SampleFormat::Signed16, SampleFormat::Float}) {
    for (const unsigned channels : {1u, 2u}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(format)) + " " + std::to_string(channels));
      TapePlan plan = TwoBlocks(22050, 1225);
      plan.format = format;
      const std::string path = dir.File("tape.wav");
      orvano::testing::WriteFile(path, orvano::testing::WaveFile(Synthesize(plan), 22050, format, channels));
      const auto wave = orvano::testing::ReadWaveSamples(path);
      EXPECT_EQ(wave.sample_rate, 22050u);
      ExpectEveryBlock(Demodulate(wave.samples, wave.sample_rate), plan);
    }
  }
}

// --- Recordings made by other tools -----------------------------------------

// The blocks of an emulator tape image: what follows each block marker, up
// to the next one, less the zeros that pad a block to a multiple of 8.
std::vector<std::vector<std::uint8_t>> ImageBlocks(const std::vector<std::uint8_t>& image) {
  static const std::uint8_t kMarker[] = {0x1F, 0xA6, 0xDE, 0xBA, 0xCC, 0x13, 0x7D, 0x74};
  std::vector<std::vector<std::uint8_t>> blocks;
  for (std::size_t at = 0; at + 8 <= image.size(); at += 8) {
    if (!std::equal(std::begin(kMarker), std::end(kMarker), image.begin() + static_cast<std::ptrdiff_t>(at))) {
      if (!blocks.empty()) blocks.back().insert(blocks.back().end(), image.begin() + static_cast<std::ptrdiff_t>(at),
                                                image.begin() + static_cast<std::ptrdiff_t>(at + 8));
      continue;
    }
    blocks.emplace_back();
  }
  return blocks;
}

std::vector<std::uint8_t> WithoutTrailingZeros(std::vector<std::uint8_t> bytes) {
  while (!bytes.empty() && bytes.back() == 0) bytes.pop_back();
  return bytes;
}

class OtherToolsRecordings : public ::testing::TestWithParam<const char*> {};

TEST_P(OtherToolsRecordings, GiveTheImageBack) {
  const auto wave = orvano::testing::ReadWaveSamples(std::string(ORVANO_SAMPLES) + "/" + GetParam());
  ASSERT_FALSE(wave.samples.empty());
  std::ifstream in(std::string(ORVANO_SAMPLES) + "/THREE.CAS", std::ios::binary);
  const std::vector<std::uint8_t> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto expected = ImageBlocks(image);
  ASSERT_EQ(expected.size(), 9u);

  const FramingSink sink = Demodulate(wave.samples, wave.sample_rate);
  ASSERT_EQ(sink.blocks.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(WithoutTrailingZeros(sink.blocks[i].bytes), WithoutTrailingZeros(expected[i]));
    EXPECT_EQ(sink.blocks[i].bad_frames, 0u);
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, OtherToolsRecordings, ::testing::Values("THREE-castools.wav", "THREE-ffix.wav"),
                         [](const ::testing::TestParamInfo<const char*>& param_info) {
                           std::string name = param_info.param;
                           return name.substr(6, name.size() - 10);
                         });

}  // namespace
}  // namespace orvano::decode
