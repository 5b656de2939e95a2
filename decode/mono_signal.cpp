#include "decode/mono_signal.h"

#include <algorithm>

#include "common/option_names.h"
#include "decode/channel_pick.h"
#include "decode/tape_band.h"

namespace orvano::decode {
namespace {

// Frames per block, fewer for a file of very many channels or few frames.
constexpr std::size_t kBlockFrames = 16 * 1024;
constexpr std::size_t kMostBlockFloats = 64 * 1024;
// Long enough to hold the first leader of a tape after its silent start.
constexpr std::uint64_t kLookAheadSeconds = 30;

std::size_t FramesPerBlock(const AudioFacts& facts) {
  const std::size_t most = std::clamp<std::size_t>(kMostBlockFloats / facts.channels, 1, kBlockFrames);
  if (!facts.length_known) return most;
  return static_cast<std::size_t>(std::clamp<std::uint64_t>(facts.frames, 1, most));
}

ChannelChoice StrongerChannel(AudioSource& source) {
  const AudioFacts& facts = source.Facts();
  const unsigned channels = facts.channels;
  std::vector<float> frames(FramesPerBlock(facts) * channels);
  TapeBandMeter left(facts.sample_rate);
  TapeBandMeter right(facts.sample_rate);
  std::uint64_t budget = kLookAheadSeconds * facts.sample_rate;
  while (budget > 0) {
    const std::size_t count = source.Read(frames);
    if (count == 0) break;
    const auto used = static_cast<std::size_t>(std::min<std::uint64_t>(budget, count));
    for (std::size_t i = 0; i < used; ++i) {
      left.Add(frames[i * channels]);
      right.Add(frames[i * channels + 1]);
    }
    budget -= used;
  }
  // A source that cannot go back keeps its error, and the reads after it
  // report that.
  source.Rewind();
  return right.Energy() > left.Energy() ? ChannelChoice::Right : ChannelChoice::Left;
}

}  // namespace

MonoSignal::MonoSignal(AudioSource& source, ChannelChoice choice) : source_(source), channel_(choice) {
  const unsigned channels = source_.Facts().channels;
  if (channels <= 1) return;
  if (channel_ == ChannelChoice::Auto) {
    channel_ = StrongerChannel(source_);
    chosen_by_level_ = true;
  }
  taken_ = NameOf(channel_);
  frames_.resize(FramesPerBlock(source_.Facts()) * channels);
}

std::size_t MonoSignal::Read(std::span<float> samples) {
  const unsigned channels = source_.Facts().channels;
  if (channels <= 1) return source_.Read(samples);
  const std::size_t want = std::min(samples.size(), frames_.size() / channels);
  const std::size_t count = source_.Read({frames_.data(), want * channels});
  const float* frame = frames_.data();
  if (channel_ == ChannelChoice::Mix) {
    const float scale = 1.0f / static_cast<float>(channels);
    for (std::size_t i = 0; i < count; ++i, frame += channels) {
      float sum = 0;
      for (unsigned c = 0; c < channels; ++c) sum += frame[c];
      samples[i] = sum * scale;
    }
  } else {
    PickChannel(frame, count, channels, channel_ == ChannelChoice::Right ? 1 : 0, samples.data());
  }
  return count;
}

std::string ChannelTakenText(const MonoSignal& signal) {
  const std::string& taken = signal.ChannelTaken();
  if (taken.empty()) return {};
  if (taken == NameOf(ChannelChoice::Mix)) return "Read the mix of all channels";
  if (signal.ChosenByLevel()) return "Read the " + taken + " channel, which carries the stronger tape signal";
  return "Read the " + taken + " channel";
}

}  // namespace orvano::decode
