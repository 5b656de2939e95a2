#pragma once

#include <cstddef>
#include <memory>
#include <span>

#include "decode/tape_symbols.h"

namespace orvano::decode {

// Hears a tape in a recording as it is, not as it should be: it finds the
// leaders, measures the speed of each from its cycles, follows the bit
// cells of the block behind it through drift, wow and flutter, and tells
// the sink what it heard. Offset, drift and polarity of the signal, its
// level, noise, hum and a dulled or lopsided wave are its business too.
class Demodulator {
 public:
  // `sample_rate` is the recording's own, 8000 to 384000 Hz.
  Demodulator(unsigned sample_rate, SymbolSink& sink);
  ~Demodulator();
  Demodulator(const Demodulator&) = delete;
  Demodulator& operator=(const Demodulator&) = delete;

  // The next samples of the one channel that carries the tape, at full
  // scale ±1. Blocks may have any length.
  void Feed(std::span<const float> samples);
  // The recording ends here: a block still open ends with it.
  void Finish();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace orvano::decode
