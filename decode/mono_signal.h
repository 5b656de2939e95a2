#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "common/conversion_options.h"
#include "decode/audio_source.h"

namespace orvano::decode {

// The one channel of a recording that carries the tape, at the recording's
// own rate. A mono source ignores the choice. Left is the first channel,
// right the second; Mix averages all of them.
class MonoSignal {
 public:
  // Auto measures the tape band of the first two channels over the first
  // 30 seconds, takes the stronger one (left when they are equal, as an
  // inverted copy is) and rewinds the source.
  MonoSignal(AudioSource& source, ChannelChoice choice);

  // Reads the next samples; 0 at the end or after a read error.
  std::size_t Read(std::span<float> samples);

  unsigned SampleRate() const { return source_.Facts().sample_rate; }
  // For the log: "left", "right", "mix", or empty for a mono source.
  const std::string& ChannelTaken() const { return taken_; }
  // Whether Auto chose the channel.
  bool ChosenByLevel() const { return chosen_by_level_; }
  // The channel read, Auto resolved: what a second reader of the same
  // recording takes.
  ChannelChoice Channel() const { return channel_; }
  // Why reading stopped early, empty when it did not.
  const std::string& Error() const { return source_.Error(); }

 private:
  AudioSource& source_;
  ChannelChoice channel_;
  bool chosen_by_level_ = false;
  std::string taken_;
  std::vector<float> frames_;
};

// The log line that tells which channel a recording of several is read
// from; empty for a mono recording.
std::string ChannelTakenText(const MonoSignal& signal);

}  // namespace orvano::decode
