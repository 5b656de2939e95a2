#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "decode/mono_signal.h"

namespace orvano::decode {
namespace {

// A recording in memory, whose channels are given one by one.
class ChannelsSource final : public AudioSource {
 public:
  ChannelsSource(unsigned rate, std::vector<std::vector<float>> channels) : channels_(std::move(channels)) {
    facts_.format = "test";
    facts_.sample_rate = rate;
    facts_.channels = static_cast<unsigned>(channels_.size());
    facts_.frames = channels_[0].size();
  }
  const AudioFacts& Facts() const override { return facts_; }
  const std::string& Error() const override { return error_; }
  std::size_t Read(std::span<float> interleaved) override {
    const std::size_t count = std::min<std::size_t>(interleaved.size() / channels_.size(), facts_.frames - next_);
    for (std::size_t i = 0; i < count; ++i) {
      for (std::size_t c = 0; c < channels_.size(); ++c) interleaved[i * channels_.size() + c] = channels_[c][next_ + i];
    }
    next_ += count;
    return count;
  }
  bool Seek(std::uint64_t frame) override {
    next_ = frame;
    rewinds_ += frame == 0 ? 1 : 0;
    return true;
  }
  int rewinds_ = 0;

 private:
  std::vector<std::vector<float>> channels_;
  AudioFacts facts_;
  std::size_t next_ = 0;
  std::string error_;
};

constexpr unsigned kRate = 44100;
constexpr std::size_t kFrames = kRate * 2;

// What a channel may carry: the tape (1225 and 2450 Hz cycles at a modest
// level), its inverse, nothing, loud hum, or loud hiss.
enum class Kind { Tape, Inverted, Silence, Hum, Hiss };

std::vector<float> Channel(Kind kind) {
  std::vector<float> samples(kFrames);
  std::mt19937 random(9);
  std::normal_distribution<float> hiss(0.0f, 0.1f);
  for (std::size_t i = 0; i < kFrames; ++i) {
    // A cell of 36 samples: one long cycle or two short ones, by turns.
    const std::size_t half = (i / 36) % 2 == 0 ? 18 : 9;
    const float tape = (i % 36) / half % 2 == 0 ? 0.15f : -0.15f;
    switch (kind) {
      case Kind::Tape:
        samples[i] = tape;
        break;
      case Kind::Inverted:
        samples[i] = -tape;
        break;
      case Kind::Silence:
        samples[i] = 0;
        break;
      case Kind::Hum:
        samples[i] = 0.8f * static_cast<float>(std::sin(2 * M_PI * 50 * static_cast<double>(i) / kRate)) + hiss(random) / 10;
        break;
      case Kind::Hiss:
        samples[i] = hiss(random);
        break;
    }
  }
  return samples;
}

struct ChoiceCase {
  const char* name;
  Kind left, right;
  ChannelChoice choice;
  const char* taken;
  Kind read;  // what the samples read are
  std::string line;
};

void PrintTo(const ChoiceCase& c, std::ostream* out) { *out << c.name; }

const std::string kAutoLeft = "Read the left channel, which carries the stronger tape signal";
const std::string kAutoRight = "Read the right channel, which carries the stronger tape signal";

const ChoiceCase kChoices[] = {
    {"tape_and_silence", Kind::Tape, Kind::Silence, ChannelChoice::Auto, "left", Kind::Tape, kAutoLeft},
    {"silence_and_tape", Kind::Silence, Kind::Tape, ChannelChoice::Auto, "right", Kind::Tape, kAutoRight},
    // Plain energy would take the hum, which is five times as loud.
    {"hum_and_tape", Kind::Hum, Kind::Tape, ChannelChoice::Auto, "right", Kind::Tape, kAutoRight},
    {"tape_and_hiss", Kind::Tape, Kind::Hiss, ChannelChoice::Auto, "left", Kind::Tape, kAutoLeft},
    // Both carry the tape alike; the first one is taken.
    {"tape_and_inverted", Kind::Tape, Kind::Inverted, ChannelChoice::Auto, "left", Kind::Tape, kAutoLeft},
    {"inverted_and_tape", Kind::Inverted, Kind::Tape, ChannelChoice::Auto, "left", Kind::Inverted, kAutoLeft},
    {"right_as_told", Kind::Tape, Kind::Silence, ChannelChoice::Right, "right", Kind::Silence, "Read the right channel"},
    {"left_as_told", Kind::Hum, Kind::Tape, ChannelChoice::Left, "left", Kind::Hum, "Read the left channel"},
    {"mix", Kind::Tape, Kind::Inverted, ChannelChoice::Mix, "mix", Kind::Silence, "Read the mix of all channels"},
};

class ChannelChoosing : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChannelChoosing, TakesTheChannelAndReadsItFromTheStart) {
  const ChoiceCase& c = GetParam();
  ChannelsSource source(kRate, {Channel(c.left), Channel(c.right)});
  MonoSignal signal(source, c.choice);
  EXPECT_EQ(signal.ChannelTaken(), c.taken);
  EXPECT_EQ(ChannelTakenText(signal), c.line);
  EXPECT_EQ(source.rewinds_, c.choice == ChannelChoice::Auto ? 1 : 0);

  std::vector<float> read;
  std::vector<float> block(5000);
  while (const std::size_t count = signal.Read(block)) read.insert(read.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(count));
  EXPECT_EQ(read, Channel(c.read));
}

INSTANTIATE_TEST_SUITE_P(Stereo, ChannelChoosing, ::testing::ValuesIn(kChoices),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(MonoSignal, AMonoSourceIgnoresTheChoiceAndIsNotReadAhead) {
  ChannelsSource source(kRate, {Channel(Kind::Tape)});
  MonoSignal signal(source, ChannelChoice::Right);
  EXPECT_EQ(signal.ChannelTaken(), "");
  EXPECT_EQ(ChannelTakenText(signal), "");
  EXPECT_EQ(source.rewinds_, 0);
  std::vector<float> block(kFrames);
  EXPECT_EQ(signal.Read(block), kFrames);
  EXPECT_EQ(block, Channel(Kind::Tape));
}

TEST(MonoSignal, MixAveragesEveryChannelAndAutoLooksAtTheFirstTwo) {
  ChannelsSource mixed(kRate, {{0.3f, 0.0f}, {0.3f, 0.6f}, {0.6f, 0.3f}});
  MonoSignal mix(mixed, ChannelChoice::Mix);
  std::vector<float> block(4);
  ASSERT_EQ(mix.Read(block), 2u);
  EXPECT_FLOAT_EQ(block[0], 0.4f);
  EXPECT_FLOAT_EQ(block[1], 0.3f);

  ChannelsSource third(kRate, {Channel(Kind::Silence), Channel(Kind::Hiss), Channel(Kind::Tape)});
  EXPECT_EQ(MonoSignal(third, ChannelChoice::Auto).ChannelTaken(), "right");
}

}  // namespace
}  // namespace orvano::decode
