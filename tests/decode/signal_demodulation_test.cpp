#include "decode/signal_demodulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "decode/audio_source.h"
#include "decode/demodulator.h"
#include "decode/mono_signal.h"
#include "tests/support/tape_synth.h"
#include "tests/support/temp_dir.h"

namespace orvano::decode {
namespace {

using orvano::testing::Gap;
using orvano::testing::SampleFormat;
using orvano::testing::SynthBlock;
using orvano::testing::Synthesize;
using orvano::testing::TapePlan;
using orvano::testing::WaveShape;

struct Event {
  char kind = 0;  // L leader, B bit, E block end
  double a = 0, b = 0, c = 0;
  bool operator==(const Event&) const = default;
};

// Every call in order, and the thread it came on.
class RecordingSink final : public SymbolSink {
 public:
  void Leader(double start, double baud, double level) override { Add({'L', start, baud, level}); }
  void Bit(std::uint8_t bit, double time) override { Add({'B', static_cast<double>(bit), time, 0}); }
  void BlockEnd(double time) override { Add({'E', time, 0, 0}); }

  std::vector<Event> events;
  bool other_thread = false;
  // Called with the number of each event before it is kept.
  std::function<void(std::size_t)> before_each;

 private:
  void Add(const Event& event) {
    if (std::this_thread::get_id() != caller_) other_thread = true;
    if (before_each) before_each(events.size());
    events.push_back(event);
  }
  std::thread::id caller_ = std::this_thread::get_id();
};

std::vector<std::uint8_t> RandomBytes(std::size_t count, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> bytes(count);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

// Files one after another as a loader writes them: a header block behind a
// long leader and a data block behind a short one, at mixed speeds, some
// blocks cut short by the next leader.
TapePlan ManyFiles(unsigned rate, std::uint32_t seed) {
  TapePlan plan;
  plan.sample_rate = rate;
  plan.seed = seed;
  for (std::size_t file = 0; file < 9; ++file) {
    const double baud = (file + seed) % 3 == 0 ? 2400 : 1200;
    plan.blocks.push_back({RandomBytes(16, seed + static_cast<std::uint32_t>(file)), baud, 8000, {}});
    SynthBlock data{RandomBytes(200 + 150 * file, seed * 31 + static_cast<std::uint32_t>(file)), baud, 2000, {}};
    if (file % 4 == 3) data.junk = {0xFE, 0x00, 0x00};
    plan.blocks.push_back(data);
  }
  plan.gap_seconds = 0.8;
  return plan;
}

struct LongTape {
  const char* name;
  unsigned rate;
  void (*apply)(TapePlan&);
};

const LongTape kLongTapes[] = {
    {"Clean44100", 44100, [](TapePlan&) {}},
    {"NoisyHissGaps48000", 48000,
     [](TapePlan& plan) {
       plan.gap = Gap::Hiss;
       plan.hiss_db = -26;
       plan.shape = WaveShape::Smooth;
       plan.impairments.snr_db = 15;
     }},
    {"WowDropoutsNoGaps22050", 22050,
     [](TapePlan& plan) {
       plan.gap = Gap::Nothing;
       plan.impairments.wow = 0.02;
       plan.impairments.flutter = 0.006;
       plan.impairments.dropouts = {{3.1, 0.03, -40}, {17.5, 0.012, -16}, {29.0, 0.2, -60}};
     }},
    {"LopsidedHumEightBits96000", 96000,
     [](TapePlan& plan) {
       plan.format = SampleFormat::Unsigned8;
       plan.gap = Gap::NegativeLevel;
       plan.impairments.duty = 0.58;
       plan.impairments.second_half = 0.7;
       plan.impairments.hum_db = -18;
       plan.impairments.inverted = true;
     }},
};

void PrintTo(const LongTape& tape, std::ostream* out) { *out << tape.name; }

// Gives the samples in reads of changing lengths, none longer than asked.
SampleReader ReaderOf(const std::vector<float>& samples) {
  return [&samples, at = std::size_t{0}, turn = std::size_t{0}](std::span<float> out) mutable {
    const std::size_t want = std::min(out.size(), 1 + (turn++ * 7919) % 50000);
    const std::size_t count = std::min(want, samples.size() - at);
    std::copy_n(samples.begin() + static_cast<std::ptrdiff_t>(at), count, out.begin());
    at += count;
    return count;
  };
}

std::vector<Event> Plain(const std::vector<float>& samples, unsigned rate) {
  RecordingSink sink;
  Demodulator demodulator(rate, sink);
  for (std::size_t at = 0; at < samples.size(); at += 4099) {
    demodulator.Feed(std::span(samples).subspan(at, std::min<std::size_t>(4099, samples.size() - at)));
  }
  demodulator.Finish();
  return sink.events;
}

void ExpectSame(const std::vector<Event>& heard, const std::vector<Event>& plain) {
  ASSERT_EQ(heard.size(), plain.size());
  const auto differ = std::mismatch(heard.begin(), heard.end(), plain.begin());
  EXPECT_TRUE(differ.first == heard.end()) << "event " << differ.first - heard.begin() << " differs";
}

class TwoThreads : public ::testing::TestWithParam<LongTape> {};

TEST_P(TwoThreads, HearTheSameAsOne) {
  const LongTape& tape = GetParam();
  TapePlan plan = ManyFiles(tape.rate, tape.rate / 1000);
  tape.apply(plan);
  const std::vector<float> samples = Synthesize(plan);
  ASSERT_GT(samples.size(), 40u * tape.rate);
  const std::vector<Event> plain = Plain(samples, tape.rate);
  std::size_t blocks = 0;
  for (const Event& event : plain) blocks += event.kind == 'E' ? 1 : 0;
  EXPECT_GE(blocks, plan.blocks.size() - 1);

  for (const Threads threads : {Threads::One, Threads::Two}) {
    SCOPED_TRACE(threads == Threads::One ? "one thread" : "two threads");
    RecordingSink sink;
    std::uint64_t told = 0;
    bool progress_elsewhere = false;
    DemodulateSignal(tape.rate, ReaderOf(samples), sink, threads, [&](std::uint64_t frames) {
      if (frames < told) ADD_FAILURE() << "progress went back";
      told = frames;
      progress_elsewhere = progress_elsewhere || sink.other_thread;
    });
    EXPECT_FALSE(sink.other_thread);
    EXPECT_FALSE(progress_elsewhere);
    EXPECT_EQ(told, samples.size());
    ExpectSame(sink.events, plain);
  }
}

// A sink that stalls now and then lets the reading thread run as far ahead
// as it may, over and over: what it writes must never reach what the
// cells are still read from.
TEST_P(TwoThreads, HearTheSameBehindASlowSink) {
  const LongTape& tape = GetParam();
  TapePlan plan = ManyFiles(tape.rate, tape.rate / 1000 + 1);
  tape.apply(plan);
  const std::vector<float> samples = Synthesize(plan);
  RecordingSink sink;
  sink.before_each = [](std::size_t n) {
    if (n % 4000 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  };
  DemodulateSignal(tape.rate, ReaderOf(samples), sink, Threads::Two, [](std::uint64_t) {});
  ExpectSame(sink.events, Plain(samples, tape.rate));
}

INSTANTIATE_TEST_SUITE_P(Tapes, TwoThreads, ::testing::ValuesIn(kLongTapes),
                         [](const ::testing::TestParamInfo<LongTape>& param_info) { return std::string(param_info.param.name); });

// Recordings of other tools, read from their files as the whole tape reads
// them.
TEST(DemodulateSignal, HearsTheSamplesOfOtherToolsAlikeOnOneThreadAndTwo) {
  for (const char* name : {"THREE-castools.wav", "THREE-ffix.wav"}) {
    SCOPED_TRACE(name);
    const std::string path = std::string(ORVANO_SAMPLES) + "/" + name;
    if (!orvano::testing::Exists(path)) GTEST_SKIP() << "no samples in " << ORVANO_SAMPLES;
    std::vector<std::vector<Event>> heard;
    for (const Threads threads : {Threads::One, Threads::Two}) {
      OpenedAudio opened = OpenAudioFile(path);
      ASSERT_NE(opened.source, nullptr) << opened.reason;
      MonoSignal signal(*opened.source, ChannelChoice::Auto);
      RecordingSink sink;
      DemodulateSignal(signal.SampleRate(), [&signal](std::span<float> out) { return signal.Read(out); }, sink, threads,
                       [](std::uint64_t) {});
      heard.push_back(sink.events);
    }
    EXPECT_GT(heard[0].size(), 20000u);
    ExpectSame(heard[1], heard[0]);
  }
}

TEST(DemodulateSignal, HearsNothingInAnEmptyRecording) {
  for (const Threads threads : {Threads::One, Threads::Two}) {
    RecordingSink sink;
    std::uint64_t told = 0;
    DemodulateSignal(44100, [](std::span<float>) { return std::size_t{0}; }, sink, threads,
                     [&](std::uint64_t frames) { told = frames; });
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(told, 0u);
  }
}

// A failure on either side stops both threads and reaches the caller.
TEST(DemodulateSignal, PassesOnWhatEitherSideThrows) {
  TapePlan plan = ManyFiles(22050, 5);
  const std::vector<float> samples = Synthesize(plan);
  for (const Threads threads : {Threads::One, Threads::Two}) {
    RecordingSink sink;
    sink.before_each = [](std::size_t n) {
      if (n == 3000) throw std::runtime_error("sink");
    };
    EXPECT_THROW(DemodulateSignal(22050, ReaderOf(samples), sink, threads, [](std::uint64_t) {}), std::runtime_error);
    EXPECT_EQ(sink.events.size(), 3000u);

    RecordingSink quiet;
    SampleReader reader = ReaderOf(samples);
    std::size_t reads = 0;
    const SampleReader failing = [&](std::span<float> out) {
      if (++reads == 40) throw std::length_error("reader");
      return reader(out);
    };
    EXPECT_THROW(DemodulateSignal(22050, failing, quiet, threads, [](std::uint64_t) {}), std::length_error);
    EXPECT_EQ(reads, 40u);
  }
}

}  // namespace
}  // namespace orvano::decode
