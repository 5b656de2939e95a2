#include "decode/two_thread_resampler.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <numeric>
#include <optional>
#include <system_error>
#include <thread>

namespace orvano::decode {
namespace {

using Period = TwoThreadResampler::Period;

// Half a megabyte of floats of input or of output, whichever is more: big
// enough that the overlap costs little, small enough for the memory bound.
constexpr std::size_t kPartTarget = std::size_t{1} << 16;

std::size_t RoundUp(std::size_t value, std::size_t step) { return (value + step - 1) / step * step; }

// Input samples on either side of a sample that its output depends on, read
// off the response of the filter to one impulse: beyond the filter's length
// the output is exactly zero.
std::size_t FilterReach(unsigned from_rate, unsigned to_rate, Period period) {
  // The filters of the high-quality recipe are a few dozen milliseconds long.
  const std::size_t half = RoundUp(from_rate / 4, period.in);
  std::vector<float> impulse(2 * half, 0.0f);
  impulse[half] = 1.0f;
  Resampler probe(from_rate, to_rate);
  std::vector<float> response;
  probe.Process(impulse, response);
  probe.Flush(response);
  const std::size_t centre = half / period.in * period.out;
  std::size_t reach = 0;
  for (std::size_t k = 0; k < response.size(); ++k) {
    if (response[k] != 0.0f) reach = std::max(reach, k > centre ? k - centre : centre - k);
  }
  return reach * period.in / period.out + 1;
}

}  // namespace

struct TwoThreadResampler::Part {
  std::vector<float> input;  // the part with `lead` samples before it and at least the reach after it
  std::size_t lead = 0;
  std::size_t count = 0;     // output samples of the part itself
  std::vector<float> output;
  std::size_t skip = 0;      // where in `output` the part's samples start
};

// Resamples every part it gets as one continuous stream. Between two parts
// the stream jumps, but a part's lead is longer than the filter reaches, so
// the jump is gone before the output of the part begins.
class TwoThreadResampler::Worker {
 public:
  Worker(unsigned from_rate, unsigned to_rate, Period period)
      : resampler_(from_rate, to_rate), period_(period), silence_(RoundUp(4096, period.in), 0.0f),
        thread_([this] { Loop(); }) {}

  ~Worker() {
    {
      const std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }

  void Start(Part part) {
    {
      const std::lock_guard lock(mutex_);
      part_ = std::move(part);
      done_ = false;
    }
    changed_.notify_all();
  }

  Part Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return done_; });
    done_ = false;
    Part part = std::move(*part_);
    part_.reset();
    return part;
  }

 private:
  void Loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return stop_ || (part_ && !done_); });
      if (stop_) return;
      lock.unlock();
      Resample(*part_);
      lock.lock();
      done_ = true;
      changed_.notify_all();
    }
  }

  void Resample(Part& part) {
    // Output k of the stream lies at input k × in / out, and every input
    // this stream was fed is a whole number of periods. What the filter
    // still held of the part before comes first, and is passed over.
    const std::uint64_t first = (fed_ + part.lead) / period_.in * period_.out;
    part.output.clear();
    resampler_.Process(part.input, part.output);
    fed_ += part.input.size();
    // The filter holds back its last outputs until more input comes; silence
    // pushes them out, and the next part's lead hides what it does.
    while (received_ + part.output.size() < first + part.count && resampler_.Error().empty()) {
      resampler_.Process(silence_, part.output);
      fed_ += silence_.size();
    }
    part.skip = static_cast<std::size_t>(std::min<std::uint64_t>(first - received_, part.output.size()));
    part.count = std::min(part.count, part.output.size() - part.skip);
    received_ += part.output.size();
  }

  Resampler resampler_;
  Period period_;
  const std::vector<float> silence_;
  std::uint64_t fed_ = 0;       // input samples fed to the stream
  std::uint64_t received_ = 0;  // output samples it gave
  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<Part> part_;
  bool done_ = false;
  bool stop_ = false;
  std::thread thread_;  // last: it starts running on the members above
};

TwoThreadResampler::TwoThreadResampler(unsigned from_rate, unsigned to_rate, Sink sink, std::size_t part_samples)
    : sink_(std::move(sink)) {
  if (from_rate == to_rate) {
    pass_through_ = true;
    return;
  }
  const std::size_t divisor = std::gcd(from_rate, to_rate);
  period_ = {from_rate / divisor, to_rate / divisor};
  single_ = std::make_unique<Resampler>(from_rate, to_rate);
  error_ = single_->Error();
  if (!error_.empty()) return;

  const std::size_t target = part_samples != 0 ? part_samples
                                                : std::min(kPartTarget, kPartTarget * period_.in / period_.out);
  part_samples_ = RoundUp(std::max<std::size_t>(target, 1), period_.in);
  // Twice the filter's reach: the lead must also outlast the jump between
  // two parts of one worker's stream.
  reach_ = RoundUp(2 * FilterReach(from_rate, to_rate, period_) + 64, period_.in);
  // A ratio with a long period would make the overlap outweigh the parts.
  if (reach_ > part_samples_ / 2) return;
  try {
    workers_[0] = std::make_unique<Worker>(from_rate, to_rate, period_);
    workers_[1] = std::make_unique<Worker>(from_rate, to_rate, period_);
  } catch (const std::system_error&) {
    workers_[0].reset();
    workers_[1].reset();
    return;
  }
  single_.reset();
  window_.assign(reach_, 0.0f);
}

TwoThreadResampler::~TwoThreadResampler() = default;

void TwoThreadResampler::Feed(std::span<const float> samples) {
  if (pass_through_) {
    if (!samples.empty()) sink_(samples);
    return;
  }
  if (!error_.empty()) return;
  if (single_) {
    single_out_.clear();
    single_->Process(samples, single_out_);
    if (!single_out_.empty()) sink_(single_out_);
    return;
  }
  total_in_ += samples.size();
  const std::size_t full = part_samples_ + 2 * reach_;
  while (!samples.empty()) {
    const std::size_t take = std::min(samples.size(), full - window_.size());
    window_.insert(window_.end(), samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(take));
    samples = samples.subspan(take);
    if (window_.size() < full) break;
    Part part;
    part.input = std::move(window_);
    part.lead = reach_;
    part.count = part_samples_ / period_.in * period_.out;
    // The next part starts one part later, with the same lead.
    window_ = Spare();
    window_.assign(part.input.end() - static_cast<std::ptrdiff_t>(2 * reach_), part.input.end());
    Submit(std::move(part));
  }
}

void TwoThreadResampler::Finish() {
  if (pass_through_ || !error_.empty()) return;
  if (single_) {
    single_out_.clear();
    single_->Flush(single_out_);
    if (!single_out_.empty()) sink_(single_out_);
    return;
  }
  // The window holds the lead and what came after it, if anything.
  const std::size_t left = window_.size() > reach_ ? window_.size() - reach_ : 0;
  if (left > 0) {
    Part part;
    part.input = std::move(window_);
    part.input.resize(reach_ + RoundUp(left, period_.in) + reach_, 0.0f);
    part.lead = reach_;
    // As many samples in all as one resampler gives for the whole signal.
    const std::uint64_t total_out = (total_in_ * period_.out + period_.in / 2) / period_.in;
    const std::uint64_t before = (total_in_ - left) / period_.in * period_.out;
    part.count = static_cast<std::size_t>(total_out - before);
    Submit(std::move(part));
  }
  window_ = {};
  while (parts_delivered_ < parts_submitted_) DeliverOldest();
}

void TwoThreadResampler::Submit(Part part) {
  // The part two before this one ran on the same worker.
  if (parts_submitted_ >= 2) DeliverOldest();
  part.output = Spare();
  workers_[parts_submitted_ % 2]->Start(std::move(part));
  ++parts_submitted_;
}

void TwoThreadResampler::DeliverOldest() {
  Part part = workers_[parts_delivered_ % 2]->Wait();
  ++parts_delivered_;
  if (part.count > 0) sink_(std::span<const float>(part.output).subspan(part.skip, part.count));
  spares_.push_back(std::move(part.input));
  spares_.push_back(std::move(part.output));
}

// The buffers of delivered parts serve again, so that memory once touched
// is reused instead of mapped afresh for every part.
std::vector<float> TwoThreadResampler::Spare() {
  if (spares_.empty()) return {};
  std::vector<float> spare = std::move(spares_.back());
  spares_.pop_back();
  spare.clear();
  return spare;
}

}  // namespace orvano::decode
