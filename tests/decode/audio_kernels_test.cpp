#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "decode/level_recode.h"
#include "decode/resampler.h"
#include "decode/tape_band.h"
#include "decode/stretch_resampler.h"

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
  const std::span<const float> head = resampler.Process(input);
  std::vector<float> out(head.begin(), head.end());
  const std::span<const float> tail = resampler.Flush();
  out.insert(out.end(), tail.begin(), tail.end());
  return out;
}

// Resamples every planned stretch on its own, fed from where its reading
// starts in blocks of changing sizes, as a reader of a file does, and lays
// each output at its index. A place no stretch filled stays NaN.
std::vector<float> ByStretches(unsigned from, const std::vector<float>& input, unsigned count,
                               std::size_t* made = nullptr) {
  const std::vector<Stretch> plan = PlanStretches(from, 44100, input.size(), count);
  if (made != nullptr) *made = plan.size();
  std::vector<float> out;
  for (const Stretch& stretch : plan) {
    StretchResampler resampler(from, 44100, stretch, [&](std::uint64_t index, std::span<const float> s) {
      if (out.size() < index + s.size()) out.resize(index + s.size(), std::numeric_limits<float>::quiet_NaN());
      std::copy(s.begin(), s.end(), out.begin() + static_cast<std::ptrdiff_t>(index));
    });
    EXPECT_EQ(resampler.Error(), "");
    const std::size_t sizes[] = {1, 4096, 7, 30000, 333};
    auto at = static_cast<std::size_t>(stretch.read_from);
    for (std::size_t k = 0; at < input.size() && !resampler.Done(); ++k) {
      const std::size_t n = std::min(sizes[k % 5], input.size() - at);
      resampler.Feed({input.data() + at, n});
      at += n;
    }
    if (!resampler.Done()) resampler.Finish();
  }
  return out;
}

struct RateCase {
  unsigned rate;
  std::size_t stretches;  // of three asked for: one when the lead would outweigh them
};

class Stretches : public ::testing::TestWithParam<RateCase> {};

TEST_P(Stretches, JoinIntoWhatOneResamplerGives) {
  const unsigned rate = GetParam().rate;
  const std::vector<float> input = Noise(rate * 7 / 2 + 17, rate);
  const std::vector<float> whole = OneResampler(rate, input);
  std::size_t made = 0;
  const std::vector<float> joined = ByStretches(rate, input, 3, &made);
  EXPECT_EQ(made, GetParam().stretches);
  ASSERT_EQ(joined.size(), whole.size());
  ASSERT_NEAR(static_cast<double>(whole.size()), static_cast<double>(input.size()) * 44100.0 / rate, 1.0);
  double worst = 0;
  for (std::size_t i = 0; i < whole.size(); ++i) {
    ASSERT_FALSE(std::isnan(joined[i])) << "no stretch gave output " << i;
    worst = std::max(worst, static_cast<double>(std::fabs(joined[i] - whole[i])));
  }
  EXPECT_LT(worst, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(Rates, Stretches,
                         ::testing::Values(RateCase{8000, 1}, RateCase{11025, 3}, RateCase{22050, 3}, RateCase{32000, 3},
                                           RateCase{43200, 3}, RateCase{48000, 3}, RateCase{96000, 3},
                                           RateCase{384000, 3}, RateCase{44056, 1}, RateCase{44099, 1}),
                         [](const auto& param_info) { return std::to_string(param_info.param.rate); });

TEST(Stretches, PassA44100HzSignalOnAsItIs) {
  const std::vector<float> input = Noise(44100 * 4, 3);
  std::size_t made = 0;
  EXPECT_EQ(ByStretches(44100, input, 2, &made), input);
  EXPECT_EQ(made, 2u);
}

TEST(Stretches, ShortAndEmptySignalsStayWhole) {
  for (const std::size_t length : {0u, 1u, 159u, 160u, 5000u, 60000u}) {
    const std::vector<float> input = Noise(length, 5);
    std::size_t made = 0;
    EXPECT_EQ(ByStretches(48000, input, 2, &made).size(), OneResampler(48000, input).size()) << length;
    EXPECT_EQ(made, 1u);
  }
}

}  // namespace
}  // namespace orvano::decode
