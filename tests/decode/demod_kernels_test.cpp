#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numbers>
#include <optional>
#include <random>
#include <span>
#include <vector>

#include "decode/cell_shape.h"
#include "decode/crossing_detector.h"
#include "decode/group_levels.h"
#include "decode/leader_finder.h"
#include "decode/sample_decimator.h"
#include "decode/sample_history.h"
#include "decode/start_bit.h"

namespace orvano::decode {
namespace {

std::vector<float> RandomSamples(std::size_t count, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  std::vector<float> samples(count);
  for (float& sample : samples) sample = value(random);
  return samples;
}

TEST(DecimationFor, BringsEveryRateBetween20And40Kilohertz) {
  const std::pair<unsigned, unsigned> cases[] = {{8000, 1},   {11025, 1}, {22050, 1},  {39999, 1},
                                                 {40000, 2},  {43200, 2}, {44100, 2},  {48000, 2},
                                                 {88200, 4},  {96000, 4}, {192000, 8}, {384000, 16}};
  for (const auto& [rate, factor] : cases) EXPECT_EQ(DecimationFor(rate), factor) << rate;
}

TEST(SampleDecimator, AveragesEachGroupWhereverTheBlocksAreCut) {
  const std::vector<float> input = RandomSamples(1000, 1);
  for (const unsigned factor : {1u, 2u, 4u, 8u, 16u}) {
    SCOPED_TRACE(factor);
    std::vector<float> whole(input.size() / factor + 1);
    SampleDecimator one(factor);
    whole.resize(one.Decimate(input, whole));
    ASSERT_EQ(whole.size(), input.size() / factor);
    for (std::size_t i = 0; i < whole.size(); ++i) {
      double mean = 0;
      for (unsigned k = 0; k < factor; ++k) mean += input[i * factor + k];
      EXPECT_NEAR(whole[i], mean / factor, 1e-6);
    }
    for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{17}, std::size_t{250}}) {
      SampleDecimator cut(factor);
      std::vector<float> parts;
      for (std::size_t at = 0; at < input.size(); at += piece) {
        std::vector<float> out(piece / factor + 2);
        const auto part = std::span(input).subspan(at, std::min(piece, input.size() - at));
        out.resize(cut.Decimate(part, out));
        parts.insert(parts.end(), out.begin(), out.end());
      }
      EXPECT_EQ(parts, whole) << piece;
    }
  }
}

TEST(SampleDecimator, KeepsTheMeansOfBrokenSamplesWithinEightOfFullScale) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    unsigned factor;
    std::vector<float> in, out;
  };
  const Case cases[] = {
      {1, {nan, inf, -inf, 100, -100, 0.5f}, {-8, 8, -8, 8, -8, 0.5f}},
      {2, {nan, 1, inf, inf, inf, -inf, 20, 0, 0.25f, 0.75f}, {-8, 8, -8, 8, 0.5f}},
      // Only the final means are kept in bounds: 32 32 0 0 is 16 before that.
      {4, {1, 2, 3, 4, nan, 0, 0, 0, 32, 32, 0, 0, -inf, 1, 1, 1}, {2.5f, -8, 8, -8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.factor);
    // All at once, and a sample at a time.
    for (const std::size_t piece : {c.in.size(), std::size_t{1}}) {
      SampleDecimator decimator(c.factor);
      std::vector<float> out;
      for (std::size_t at = 0; at < c.in.size(); at += piece) {
        std::vector<float> room(piece / c.factor + 1);
        room.resize(decimator.Decimate(std::span(c.in).subspan(at, piece), room));
        out.insert(out.end(), room.begin(), room.end());
      }
      EXPECT_EQ(out, c.out) << piece;
    }
  }
}

TEST(GroupKernels, MatchThePlainDefinition) {
  const std::vector<float> samples = RandomSamples(kGroupSamples * 50, 2);
  for (std::size_t group = 0; group < 50; ++group) {
    const float* p = samples.data() + group * kGroupSamples;
    const GroupScan scan = ExtremesOfGroup(p);
    float lowest = p[0];
    float highest = p[0];
    for (std::size_t i = 0; i < kGroupSamples; ++i) {
      lowest = std::min(lowest, p[i]);
      highest = std::max(highest, p[i]);
    }
    EXPECT_EQ(scan.lowest, lowest);
    EXPECT_EQ(scan.highest, highest);
    const float high = 0.3f;
    const float middle = -0.05f;
    const float low = -0.4f;
    const GroupMasks masks = ThresholdMasks(p, high, middle, low);
    for (std::size_t i = 0; i < kGroupSamples; ++i) {
      EXPECT_EQ((masks.above >> i) & 1u, p[i] > high ? 1u : 0u);
      EXPECT_EQ((masks.below >> i) & 1u, p[i] < low ? 1u : 0u);
      EXPECT_EQ((masks.over_middle >> i) & 1u, p[i] > middle ? 1u : 0u);
    }
  }
}

TEST(TripsOfGroup, MatchesATriggerWalkedSampleBySample) {
  // Samples outside the band are sparse, dense, or everywhere; the trigger
  // starts in each of its states.
  std::mt19937 random(3);
  for (int round = 0; round < 3000; ++round) {
    const std::uint32_t outside = round % 3 == 0   ? static_cast<std::uint32_t>(random() & random() & random())
                                  : round % 3 == 1 ? static_cast<std::uint32_t>(random())
                                                   : ~std::uint32_t{0};
    const std::uint32_t above = outside & static_cast<std::uint32_t>(random());
    const std::uint32_t below = outside & ~above;
    const int start = round % 5 == 0 ? 0 : round % 2 == 0 ? 1 : -1;
    int state = start;
    std::uint32_t trips = 0;
    for (int i = 0; i < 32; ++i) {
      const int now = (above >> i) & 1u ? 1 : (below >> i) & 1u ? -1 : state;
      if (state != 0 && now != state) trips |= 1u << i;
      state = now;
    }
    const GroupTrips found = TripsOfGroup(above, below, start);
    ASSERT_EQ(found.trips, trips) << std::hex << above << " " << below << " " << start;
    ASSERT_EQ(found.state, state) << std::hex << above << " " << below << " " << start;
  }
}

// Samples written into a history, and a window on all of them.
struct Recorded {
  explicit Recorded(const std::vector<float>& samples)
      : history(samples.size(), samples.size()), window(history, samples.size()) {
    const std::span<float> room = history.Room(samples.size());
    std::copy(samples.begin(), samples.end(), room.begin());
    history.Commit(samples.size());
    window.Reach(history.End());
  }

  SampleHistory history;
  SampleWindow window;
};

TEST(SampleWindow, IntegratesWithFractionsOfSamples) {
  const Recorded recorded({1, 2, 3, 4, 5});
  struct Case {
    double from, to, area;
  };
  const Case cases[] = {
      {-0.5, 4.5, 15},    // everything
      {0, 1, 1.5},        // half of sample 0, half of sample 1
      {1.6, 2.2, 1.8},    // inside one sample
      {1.25, 1.75, 1.25}, // a quarter of two samples each
      {2.5, 2.5, 0},      // empty
      {-10, 0.5, 1},      // clamped at the start
      {3.5, 99, 5},       // clamped at the end
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(recorded.window.Integral(c.from, c.to), c.area) << c.from << " " << c.to;
}

TEST(SampleHistory, KeepsTheNewestSamplesAcrossTheEndOfItsRing) {
  // A ring of 64 written in blocks of every length up to 23: most blocks
  // that reach past its end are folded back to its start.
  SampleHistory history(64, 23);
  ASSERT_EQ(history.Length(), 64u);
  SampleWindow window(history, 40);
  float next = 0;
  for (int round = 0; round < 200; ++round) {
    const std::size_t count = 1 + static_cast<std::size_t>(round * 7 % 23);
    const std::span<float> room = history.Room(count);
    for (std::size_t i = 0; i < count; ++i) room[i] = next++;
    history.Commit(count);
    ASSERT_EQ(history.End(), static_cast<std::uint64_t>(next));
    window.Reach(history.End());
    ASSERT_EQ(window.Begin(), history.End() > 40 ? history.End() - 40 : 0);
    for (std::uint64_t n = window.Begin(); n < window.End(); ++n) ASSERT_EQ(window.At(n), static_cast<float>(n));
    // A group never straddles the end of the ring.
    for (std::uint64_t n = (window.Begin() + 31) / 32 * 32; n + 32 <= window.End(); n += 32) {
      for (std::size_t i = 0; i < 32; ++i) ASSERT_EQ(window.Data(n)[i], static_cast<float>(n + i));
    }
  }
}

TEST(SampleWindow, SeesOnlyWhatItReachedWhileTheWriterRunsAhead) {
  SampleHistory history(16, 8);
  SampleWindow window(history, 8);
  for (std::size_t i = 0; i < 3; ++i) {
    const std::span<float> room = history.Room(4);
    std::fill(room.begin(), room.end(), static_cast<float>(i + 1));
    history.Commit(4);
  }
  window.Reach(8);
  // Samples 0-3 are 1, 4-7 are 2; the 3s written after them are no part of it.
  EXPECT_DOUBLE_EQ(window.Integral(-0.5, 7.5), 12.0);
  EXPECT_DOUBLE_EQ(window.Integral(5.5, 20), 4.0);
}

std::vector<Crossing> CrossingsOf(const std::vector<float>& samples, unsigned rate,
                                  std::vector<float>* levels = nullptr) {
  SampleHistory history(4096, 1000);
  SampleWindow window(history, 2048);
  CrossingDetector detector(rate);
  std::vector<Crossing> crossings;
  std::vector<float> group_levels;
  for (std::size_t at = 0; at < samples.size(); at += 1000) {
    const std::size_t count = std::min<std::size_t>(1000, samples.size() - at);
    const std::span<float> room = history.Room(count);
    std::copy_n(samples.begin() + static_cast<std::ptrdiff_t>(at), count, room.begin());
    history.Commit(count);
    window.Reach(history.End());
    detector.Scan(window, crossings, group_levels);
  }
  EXPECT_EQ(group_levels.size(), samples.size() / kGroupSamples);
  if (levels != nullptr) *levels = group_levels;
  return crossings;
}

TEST(CrossingDetector, PlacesCrossingsOfAnOffsetToneToAFractionOfASample) {
  struct Case {
    unsigned rate;
    double hertz, amplitude, offset;
  };
  const Case cases[] = {{22050, 2400, 0.5, 0.3}, {11025, 1200, 0.01, -0.2}, {32000, 4800, 0.9, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rate);
    std::vector<float> samples(c.rate / 4);
    const double phase = 0.3;
    for (std::size_t n = 0; n < samples.size(); ++n) {
      samples[n] = static_cast<float>(c.offset + c.amplitude * std::sin(2 * std::numbers::pi * c.hertz * static_cast<double>(n) / c.rate + phase));
    }
    const std::vector<Crossing> crossings = CrossingsOf(samples, c.rate);
    const double half = c.rate / c.hertz / 2;
    ASSERT_GT(crossings.size(), 100u);
    for (std::size_t i = 1; i < crossings.size(); ++i) {
      ASSERT_NE(crossings[i].rising, crossings[i - 1].rising);
      // Where sin passes zero: phase + 2 pi f t = k pi.
      const double k = std::round((2 * std::numbers::pi * c.hertz * crossings[i].time / c.rate + phase) / std::numbers::pi);
      const double exact = (k * std::numbers::pi - phase) * c.rate / (2 * std::numbers::pi * c.hertz);
      EXPECT_NEAR(crossings[i].time, exact, 0.03 * half);
      EXPECT_NEAR(crossings[i].level, c.amplitude, 0.05 * c.amplitude);
    }
  }
}

TEST(CrossingDetector, IgnoresRippleInsideItsHysteresisAndSilence) {
  std::vector<float> samples(22050 / 4);
  for (std::size_t n = 0; n < samples.size(); ++n) {
    // A square wave of 40 samples a cycle with a ripple of a tenth of it.
    const double square = (n / 20) % 2 == 0 ? 0.5 : -0.5;
    samples[n] = static_cast<float>(square + 0.05 * std::sin(2.0 * static_cast<double>(n)));
  }
  EXPECT_NEAR(static_cast<double>(CrossingsOf(samples, 22050).size()), static_cast<double>(samples.size()) / 20, 2);
  EXPECT_TRUE(CrossingsOf(std::vector<float>(5000, 0.0f), 22050).empty());
  EXPECT_TRUE(CrossingsOf(std::vector<float>(5000, -1.0f), 22050).empty());
}

// --- The shape of a cell ------------------------------------------------------

TEST(ShapeOfCell, TellsTheTwoPatternsApartInEitherPolarityAndOffset) {
  struct Case {
    std::array<double, 4> quarters;
    double sign;
    std::uint8_t bit;
    double least_fit, most_fit;
  };
  const Case cases[] = {
      {{1, 1, -1, -1}, 1, 0, 1, 1},              // a 0 cell beginning with a rise
      {{-1, -1, 1, 1}, -1, 0, 1, 1},             // ... with a fall
      {{1, -1, 1, -1}, 1, 1, 1, 1},              // a 1 cell
      {{-1, 1, -1, 1}, -1, 1, 1, 1},             // ... inverted
      {{3.5, 3.5, 1.5, 1.5}, 1, 0, 1, 1},        // an offset changes nothing
      {{1, 0.8, -0.2, -1}, 1, 0, 0.75, 0.95},    // a 0 cell read a little late
      {{-1, -1, 1, 1}, 1, 0, 0, 0},              // the wrong polarity fits nothing
      {{0.1, -0.3, 0.2, 0.05}, 1, 1, 0, 0.7},    // noise fits badly
      {{0, 0, 0, 0}, 1, 0, 0, 0},                // silence fits nothing
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.quarters));
    const CellShape shape = ShapeOfCell(c.quarters, c.sign);
    if (c.most_fit > 0) {
      EXPECT_EQ(shape.bit, c.bit);
    }
    EXPECT_GE(shape.fit, c.least_fit - 1e-9);
    EXPECT_LE(shape.fit, c.most_fit + 1e-9);
  }
}

// --- Leaders among crossings --------------------------------------------------

// Crossings of alternating direction, one per half of each period given.
std::vector<Crossing> Cycles(const std::vector<double>& periods, double start = 0) {
  std::vector<Crossing> crossings;
  double at = start;
  bool rising = true;
  for (const double period : periods) {
    crossings.push_back({at, 0.5f, rising});
    crossings.push_back({at + period / 2, 0.5f, !rising});
    at += period;
  }
  return crossings;
}

// Gives the finder every crossing; the index of the first at which it
// reports `event`, or -1.
int EventAt(LeaderFinder& finder, const std::vector<Crossing>& crossings, LeaderFinder::Event event) {
  int first = -1;
  for (std::size_t i = 0; i < crossings.size(); ++i) {
    if (finder.Add(crossings[i]) == event && first < 0) first = static_cast<int>(i);
  }
  return first;
}

TEST(LeaderFinder, FindsASteadyToneAfter160CyclesAndMeasuresIt) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> jitter(-0.08, 0.08);
  std::vector<double> periods;
  for (int i = 0; i < 400; ++i) periods.push_back(18.0 * (1 + jitter(random)));
  LeaderFinder finder(44100);
  const int found = EventAt(finder, Cycles(periods, 100), LeaderFinder::Event::Found);
  EXPECT_NEAR(found, 2 * 161, 2);
  EXPECT_NEAR(finder.Run().Period(), 18.0, 0.2);
  EXPECT_NEAR(finder.Run().start, 100, 1);
  EXPECT_NEAR(finder.Run().Level(), 0.5, 1e-6);
}

TEST(LeaderFinder, FindsNothingInDataNoiseHumOrToneOutOfRange) {
  std::mt19937 random(4);
  struct Case {
    const char* name;
    std::function<double(int)> period;
  };
  const Case cases[] = {
      {"data", [&](int i) { return (i % 11 == 0 || (random() & 1) != 0) ? 36.0 : 18.0; }},
      {"noise", [&](int) { return 3.0 + static_cast<double>(random() % 40); }},
      {"hum", [](int) { return 882.0; }},
      {"too fast", [](int) { return 4.0; }},
  };
  for (const Case& c : cases) {
    std::vector<double> periods;
    for (int i = 0; i < 2000; ++i) periods.push_back(c.period(i));
    LeaderFinder finder(44100);
    EXPECT_EQ(EventAt(finder, Cycles(periods), LeaderFinder::Event::Found), -1) << c.name;
  }
}

TEST(LeaderFinder, KeepsALeaderThroughADropoutAndLosesItInSilence) {
  LeaderFinder finder(44100);
  std::vector<double> periods(400, 18.0);
  ASSERT_GE(EventAt(finder, Cycles(periods), LeaderFinder::Event::Found), 0);
  // 30 ms of nothing, then the tone again.
  EXPECT_EQ(EventAt(finder, Cycles(periods, 400 * 18.0 + 1323), LeaderFinder::Event::Lost), -1);
  EXPECT_TRUE(finder.Found());
  EXPECT_EQ(finder.Tick(2 * 400 * 18.0 + 1323 + 5000), LeaderFinder::Event::Lost);
  EXPECT_FALSE(finder.Found());
  EXPECT_NEAR(finder.LostRun().Period(), 18.0, 1e-9);
  EXPECT_EQ(finder.RunStart(), std::numeric_limits<double>::infinity());
}

// --- The start of a block ------------------------------------------------------

TEST(FindStartBit, PicksTheCrossingThatBeginsTheStartBit) {
  // 40 leader cycles of 20 samples, then a 0 cell of 40 and a 1 cell, with
  // the first half-wave taking `duty` of each cycle.
  struct Case {
    double duty;
    bool inverted;
  };
  for (const Case c : {Case{0.5, false}, Case{0.5, true}, Case{0.62, false}, Case{0.38, true}}) {
    SCOPED_TRACE(c.duty);
    std::vector<float> samples(256, 0.0f);
    const double start = 256 + 40 * 20 + 0.3;
    const auto wave = [&](double t) {
      double cycle = 20;
      double from = 256.3;
      if (t >= start) {
        cycle = t < start + 40 ? 40 : 20;
        from = t < start + 40 ? start : start + 40;
      }
      const double phase = std::fmod(t - from, cycle) / cycle;
      const float value = phase < c.duty ? 0.6f : -0.6f;
      return c.inverted ? -value : value;
    };
    for (int n = 256; n < 256 + 40 * 20 + 160; ++n) samples.push_back(wave(n));
    samples.resize(samples.size() + 128, 0.0f);
    const Recorded recorded(samples);
    std::vector<float> scanned;
    const std::vector<Crossing> crossings = CrossingsOf(samples, 44100, &scanned);
    GroupLevels levels;
    levels.Add(scanned);
    const ToneRun leader{256.3, 20.0 * 60, 60, 0.6 * 60};
    std::size_t index = 2;
    while (index < crossings.size() && crossings[index].time - crossings[index - 2].time < 26) ++index;
    ASSERT_LT(index, crossings.size());
    const std::optional<StartBit> found = FindStartBit(crossings, index - 2, leader, recorded.window, levels);
    ASSERT_TRUE(found.has_value());
    EXPECT_NEAR(found->time, start, 1.0);
    EXPECT_EQ(found->rising, !c.inverted);
  }
}

TEST(FindStartBit, TakesNoGlitchInALeaderForOne) {
  // One cycle of the leader stretched by half, as wow on a splice might.
  std::vector<float> samples;
  for (int cycle = 0; cycle < 60; ++cycle) {
    const int half = cycle == 30 ? 15 : 10;
    samples.insert(samples.end(), static_cast<std::size_t>(half), 0.6f);
    samples.insert(samples.end(), static_cast<std::size_t>(half), -0.6f);
  }
  const Recorded recorded(samples);
  std::vector<float> scanned;
  const std::vector<Crossing> crossings = CrossingsOf(samples, 44100, &scanned);
  GroupLevels levels;
  levels.Add(scanned);
  const ToneRun leader{0, 20.0 * 50, 50, 0.6 * 50};
  for (std::size_t index = 2; index < crossings.size(); ++index) {
    if (crossings[index].time - crossings[index - 2].time < 26) continue;
    EXPECT_FALSE(FindStartBit(crossings, index - 2, leader, recorded.window, levels).has_value()) << crossings[index].time;
  }
}

}  // namespace
}  // namespace orvano::decode
