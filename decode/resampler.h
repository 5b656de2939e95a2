#pragma once

#include <span>
#include <string>
#include <vector>

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

  // Appends to `out` the samples that `in` completes.
  void Process(std::span<const float> in, std::vector<float>& out);
  // The signal ends here: appends what the filter still holds.
  void Flush(std::vector<float>& out);

 private:
  void Run(const float* in, std::size_t count, std::vector<float>& out);

  soxr* soxr_ = nullptr;
  double ratio_;
  std::string error_;
};

}  // namespace orvano::decode
