#include "decode/mono_signal.h"

#include <algorithm>
#include <cmath>

#include "common/option_names.h"

namespace orvano::decode {
namespace {

constexpr std::size_t kBlockFrames = 4096;
constexpr double kLookAheadSeconds = 30;

// The channel with more energy over the first seconds.
ChannelChoice StrongerChannel(AudioSource& source) {
  const unsigned channels = source.Facts().channels;
  std::vector<float> frames(kBlockFrames * channels);
  double left = 0;
  double right = 0;
  auto budget = static_cast<std::uint64_t>(kLookAheadSeconds * source.Facts().sample_rate);
  while (budget > 0) {
    const std::size_t count = source.Read(frames);
    if (count == 0) break;
    for (std::size_t i = 0; i < count; ++i) {
      left += static_cast<double>(frames[i * channels]) * frames[i * channels];
      right += static_cast<double>(frames[i * channels + 1]) * frames[i * channels + 1];
    }
    budget -= std::min<std::uint64_t>(budget, count);
  }
  source.Rewind();
  return right > left ? ChannelChoice::Right : ChannelChoice::Left;
}

}  // namespace

MonoSignal::MonoSignal(AudioSource& source, ChannelChoice choice) : source_(source), channel_(choice) {
  const unsigned channels = source_.Facts().channels;
  if (channels <= 1) return;
  if (channel_ == ChannelChoice::Auto) channel_ = StrongerChannel(source_);
  taken_ = NameOf(channel_);
  frames_.resize(kBlockFrames * channels);
}

std::size_t MonoSignal::Read(std::span<float> samples) {
  const unsigned channels = source_.Facts().channels;
  if (channels <= 1) return source_.Read(samples);
  const std::size_t want = std::min(samples.size(), kBlockFrames);
  const std::size_t count = source_.Read({frames_.data(), want * channels});
  for (std::size_t i = 0; i < count; ++i) {
    const float* frame = &frames_[i * channels];
    switch (channel_) {
      case ChannelChoice::Right:
        samples[i] = frame[1];
        break;
      case ChannelChoice::Mix: {
        float sum = 0;
        for (unsigned c = 0; c < channels; ++c) sum += frame[c];
        samples[i] = sum / static_cast<float>(channels);
        break;
      }
      default:
        samples[i] = frame[0];
        break;
    }
  }
  return count;
}

}  // namespace orvano::decode
