#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "decode/level_recode.h"
#include "decode/resampler.h"
#include "decode/tape_band.h"
#include "decode/two_thread_resampler.h"

namespace orvano::decode {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(RecodeToLevels, KeepsWhatA16BitSampleRoundsToZeroAndSquaresTheRest) {
  constexpr float kStep = 1.0f / 32768;
  const struct {
    float sample;
    std::uint16_t level;
  } cases[] = {
      {0.0f, 0},          {-0.0f, 0},         {0.49f * kStep, 0},  {-0.49f * kStep, 0},  {0.51f * kStep, 0x1388},
      {-0.51f * kStep, 0xEC78}, {kStep, 0x1388}, {-kStep, 0xEC78}, {1.5f, 0x1388},        {-1.0f, 0xEC78},
      {std::numeric_limits<float>::infinity(), 0x1388},           {std::numeric_limits<float>::quiet_NaN(), 0},
  };
  // 37 samples: one whole group of 32 and a tail, each case in both.
  for (const auto& c : cases) {
    const std::vector<float> samples(37, c.sample);
    Bytes out(2 * samples.size() + 1, 0xAA);
    RecodeToLevels(samples, out.data());
    for (std::size_t i = 0; i < samples.size(); ++i) {
      ASSERT_EQ(out[2 * i] | out[2 * i + 1] << 8, c.level) << c.sample << " at " << i;
    }
    EXPECT_EQ(out.back(), 0xAA) << "nothing is written past the samples";
  }
}

// The tone's energy in the band over its whole energy.
double BandShare(unsigned rate, double frequency) {
  TapeBandMeter meter(rate);
  double whole = 0;
  for (unsigned i = 0; i < rate; ++i) {
    const auto sample = static_cast<float>(std::sin(2 * M_PI * frequency * i / rate));
    meter.Add(sample);
    whole += static_cast<double>(sample) * sample;
  }
  return meter.Energy() / whole;
}

TEST(TapeBandMeter, CountsTheTapeTonesAndHardlyHumOrHiss) {
  const struct {
    unsigned rate;
    double frequency;
    bool in_band;
  } cases[] = {
      {44100, 1225, true}, {44100, 2450, true}, {44100, 4900, true}, {48000, 2400, true}, {8000, 2400, true},
      {384000, 1200, true}, {44100, 50, false}, {48000, 60, false}, {44100, 15000, false}, {96000, 30000, false},
  };
  for (const auto& c : cases) {
    const double share = BandShare(c.rate, c.frequency);
    if (c.in_band) {
      EXPECT_GT(share, 0.6) << c.frequency << " Hz at " << c.rate;
    } else {
      EXPECT_LT(share, 0.05) << c.frequency << " Hz at " << c.rate;
    }
  }
}

std::vector<float> Noise(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> value(-0.5f, 0.5f);
  std::vector<float> samples(count);
  for (float& s : samples) s = value(random);
  return samples;
}

std::vector<float> OneResampler(unsigned from, const std::vector<float>& input) {
  Resampler resampler(from, 44100);
  std::vector<float> out;
  resampler.Process(input, out);
  resampler.Flush(out);
  return out;
}

// Feeds the input in blocks of changing sizes, as a reader of a file does.
std::vector<float> TwoThreads(unsigned from, const std::vector<float>& input, std::size_t part_samples,
                              bool* threaded = nullptr) {
  std::vector<float> out;
  TwoThreadResampler resampler(from, 44100, [&](std::span<const float> s) { out.insert(out.end(), s.begin(), s.end()); },
                               part_samples);
  EXPECT_EQ(resampler.Error(), "");
  if (threaded != nullptr) *threaded = resampler.Threaded();
  const std::size_t sizes[] = {1, 4096, 7, 30000, 333};
  std::size_t at = 0;
  for (std::size_t k = 0; at < input.size(); ++k) {
    const std::size_t n = std::min(sizes[k % 5], input.size() - at);
    resampler.Feed({input.data() + at, n});
    at += n;
  }
  resampler.Finish();
  return out;
}

struct RateCase {
  unsigned rate;
  bool threaded;  // with parts of 20000 samples: not when the overlap would outweigh them
};

class TwoThreadResampling : public ::testing::TestWithParam<RateCase> {};

TEST_P(TwoThreadResampling, JoinsItsPartsIntoWhatOneResamplerGives) {
  const unsigned rate = GetParam().rate;
  const std::vector<float> input = Noise(rate * 3 / 2 + 17, rate);
  const std::vector<float> whole = OneResampler(rate, input);
  bool threaded = false;
  const std::vector<float> joined = TwoThreads(rate, input, 20000, &threaded);
  EXPECT_EQ(threaded, GetParam().threaded);
  ASSERT_NEAR(static_cast<double>(joined.size()), static_cast<double>(whole.size()), 1.0);
  ASSERT_NEAR(static_cast<double>(whole.size()), static_cast<double>(input.size()) * 44100.0 / rate, 1.0);
  // In its first few milliseconds one resampler starts its filter its own
  // way; the joined parts start on silence.
  double worst = 0;
  for (std::size_t i = 100; i < std::min(joined.size(), whole.size()); ++i) {
    worst = std::max(worst, static_cast<double>(std::fabs(joined[i] - whole[i])));
  }
  EXPECT_LT(worst, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(Rates, TwoThreadResampling,
                         ::testing::Values(RateCase{8000, true}, RateCase{11025, true}, RateCase{22050, true},
                                           RateCase{32000, true}, RateCase{43200, true}, RateCase{48000, true},
                                           RateCase{96000, true}, RateCase{384000, true}, RateCase{44056, true}, RateCase{44099, false}),
                         [](const auto& param_info) { return std::to_string(param_info.param.rate); });

TEST(TwoThreadResampling, PassesA44100HzSignalOnAsItIs) {
  const std::vector<float> input = Noise(100000, 3);
  EXPECT_EQ(TwoThreads(44100, input, 0), input);
}

TEST(TwoThreadResampling, ShortAndEmptySignals) {
  for (const std::size_t length : {0u, 1u, 159u, 160u, 5000u}) {
    const std::vector<float> input = Noise(length, 5);
    EXPECT_NEAR(static_cast<double>(TwoThreads(48000, input, 0).size()), static_cast<double>(length) * 147.0 / 160, 1.0) << length;
  }
}

}  // namespace
}  // namespace orvano::decode
