#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace orvano::decode {

// The tape signal lies below 6 kHz, so a recording made at a high rate holds
// far more samples than the demodulator needs. Averaging groups of a power
// of two samples brings any rate down to between 20 and 40 kHz, with the
// average as a plain low-pass filter in front of it.
unsigned DecimationFor(unsigned sample_rate);

// Averages each `factor` input samples into one. A group cut by the end of
// a block is finished with the first samples of the next. The means are
// kept within ±8 of full scale, NaN included.
class SampleDecimator {
 public:
  explicit SampleDecimator(unsigned factor);

  unsigned Factor() const { return factor_; }
  // Writes one output per whole group now complete; `out` needs room for
  // (in.size() + factor) / factor samples. Returns how many were written.
  std::size_t Decimate(std::span<const float> in, std::span<float> out);

 private:
  unsigned factor_;
  std::vector<float> pending_;  // the start of a group cut by the end of a block
  std::vector<float> scratch_;
};

}  // namespace orvano::decode
