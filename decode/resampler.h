#pragma once

#include <memory>
#include <span>
#include <string>

struct soxr;

namespace orvano::decode {

// One channel converted from one sample rate to another with libsoxr's
// high-quality recipe, as a stream: every call hands on what the input so
// far gives, and the output lines up with the input without any delay.
class Resampler {
 public:
  Resampler(unsigned from_rate, unsigned to_rate);
  ~Resampler();
  Resampler(const Resampler&) = delete;
  Resampler& operator=(const Resampler&) = delete;

  // Why the resampler could not be made; empty when it was.
  const std::string& Error() const { return error_; }

  // The samples that `in` completes, valid until the next call.
  std::span<const float> Process(std::span<const float> in);
  // The signal ends here: what the filter still holds.
  std::span<const float> Flush();

 private:
  std::span<const float> Run(const float* in, std::size_t count);

  soxr* soxr_ = nullptr;
  double ratio_;
  std::string error_;
  // Written by the library only as far as it gives: never cleared, so that
  // no call pays for filling room it may not use.
  std::unique_ptr<float[]> out_;
  std::size_t room_ = 0;
};

}  // namespace orvano::decode
