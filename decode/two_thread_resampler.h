#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "decode/resampler.h"

namespace orvano::decode {

// A long signal resampled on two threads. High-quality resampling of an
// hour's recording costs more than a core can do in the time of a few
// copies of the file, so the signal is cut into parts that overlap by the
// reach of the filter, two workers each resample every other part, and the
// parts are joined in order. Within the parts the output is that of one
// resampler over the whole signal; at the joins it differs by float
// rounding only.
class TwoThreadResampler {
 public:
  // Receives the output in order, on the thread that calls Feed and Finish.
  using Sink = std::function<void(std::span<const float>)>;

  // `part_samples`, rounded up to whole periods of the rate ratio, is the
  // input one part holds; 0 picks a size that keeps the memory small. Equal
  // rates pass the signal on as it is.
  TwoThreadResampler(unsigned from_rate, unsigned to_rate, Sink sink, std::size_t part_samples = 0);
  ~TwoThreadResampler();
  TwoThreadResampler(const TwoThreadResampler&) = delete;
  TwoThreadResampler& operator=(const TwoThreadResampler&) = delete;

  // Why no resampler could be made; empty when it could.
  const std::string& Error() const { return error_; }
  // Whether the parts go to two threads (a ratio with a long period, or a
  // system without threads, makes it one resampler on the caller's thread).
  bool Threaded() const { return workers_[0] != nullptr; }

  void Feed(std::span<const float> samples);
  // The signal ends here; hands on the rest.
  void Finish();

  // How many input samples turn into a whole number of output samples, and
  // into how many: the rates divided by their greatest common divisor.
  struct Period {
    std::size_t in;
    std::size_t out;
  };

 private:
  class Worker;
  struct Part;

  void Submit(Part part);
  void DeliverOldest();
  std::vector<float> Spare();

  Sink sink_;
  std::string error_;
  bool pass_through_ = false;
  Period period_{1, 1};
  std::size_t reach_ = 0;         // input samples of overlap on either side of a part
  std::size_t part_samples_ = 0;
  std::unique_ptr<Resampler> single_;
  std::vector<float> single_out_;
  std::array<std::unique_ptr<Worker>, 2> workers_;
  std::vector<float> window_;     // the next part's input as far as it has come
  std::vector<std::vector<float>> spares_;
  std::uint64_t total_in_ = 0;
  std::uint64_t parts_submitted_ = 0;
  std::uint64_t parts_delivered_ = 0;
};

}  // namespace orvano::decode
