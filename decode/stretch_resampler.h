#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "decode/resampler.h"

namespace orvano::decode {

// A long signal cut into stretches that are resampled apart, each by a
// resampler of its own (on a thread of its own), so that together they give
// what one resampler over the whole signal gives. A stretch's reader starts
// a little before the stretch, by more than the filter reaches, and the
// output of that lead is dropped; within the stretches the output is that of
// one resampler, and at the joins it differs by float rounding only.
struct Stretch {
  std::uint64_t read_from = 0;   // input frame where the stretch's reading starts
  std::uint64_t skip = 0;        // outputs of the lead, dropped
  std::uint64_t first_out = 0;   // index in the whole output of the stretch's first sample
  std::uint64_t keep = 0;        // outputs of the stretch itself
  bool to_end = true;            // the last stretch keeps everything up to the signal's end
};

// Cuts a signal of `frames` input frames into at most `count` stretches of
// equal length, each starting on a whole period of the rate ratio so that
// its outputs line up with those of one resampler. A short signal, or a
// ratio whose period is long, stays one stretch.
std::vector<Stretch> PlanStretches(unsigned from_rate, unsigned to_rate, std::uint64_t frames, unsigned count);

// Resamples one stretch, fed from its `read_from` on, and hands on its own
// outputs with their index in the whole output. Equal rates pass the
// signal on as it is.
class StretchResampler {
 public:
  using Sink = std::function<void(std::uint64_t index, std::span<const float> samples)>;

  StretchResampler(unsigned from_rate, unsigned to_rate, const Stretch& stretch, Sink sink);

  // Why no resampler could be made; empty when it could.
  const std::string& Error() const { return error_; }
  // True once every output of the stretch has been handed on.
  bool Done() const { return !stretch_.to_end && kept_ == stretch_.keep; }

  void Feed(std::span<const float> samples);
  // The signal ends here; hands on the rest.
  void Finish();

 private:
  void Deliver(std::span<const float> made);

  Stretch stretch_;
  Sink sink_;
  std::unique_ptr<Resampler> resampler_;  // none for equal rates
  std::string error_;
  std::uint64_t made_ = 0;   // outputs so far, the lead's included
  std::uint64_t kept_ = 0;   // outputs handed on
};

}  // namespace orvano::decode
