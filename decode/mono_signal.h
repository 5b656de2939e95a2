#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "common/conversion_options.h"
#include "decode/audio_source.h"

namespace orvano::decode {

// The one channel of a recording that carries the tape, at the recording's
// own rate. A mono source ignores the choice.
class MonoSignal {
 public:
  // Auto looks ahead into the source to choose, then rewinds it.
  MonoSignal(AudioSource& source, ChannelChoice choice);

  // Reads the next samples; 0 at the end or after a read error.
  std::size_t Read(std::span<float> samples);

  unsigned SampleRate() const { return source_.Facts().sample_rate; }
  // For the log: "left", "right", "mix", or empty for a mono source.
  const std::string& ChannelTaken() const { return taken_; }
  // Why reading stopped early, empty when it did not.
  const std::string& Error() const { return source_.Error(); }

 private:
  AudioSource& source_;
  ChannelChoice channel_;
  std::string taken_;
  std::vector<float> frames_;
};

}  // namespace orvano::decode
