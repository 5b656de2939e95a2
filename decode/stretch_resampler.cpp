#include "decode/stretch_resampler.h"

#include <algorithm>
#include <numeric>

namespace orvano::decode {
namespace {

// How many input frames turn into a whole number of output frames, and into
// how many: the rates divided by their greatest common divisor.
struct Period {
  std::uint64_t in;
  std::uint64_t out;
};

std::uint64_t RoundUp(std::uint64_t value, std::uint64_t step) { return (value + step - 1) / step * step; }

// Input frames on either side of a frame that its output depends on, read
// off the response of the filter to one impulse: beyond the filter's length
// the output is exactly zero.
std::uint64_t FilterReach(unsigned from_rate, unsigned to_rate, Period period) {
  // The filters of the high-quality recipe are a few dozen milliseconds long.
  const std::uint64_t half = RoundUp(from_rate / 4, period.in);
  std::vector<float> impulse(static_cast<std::size_t>(2 * half), 0.0f);
  impulse[static_cast<std::size_t>(half)] = 1.0f;
  Resampler probe(from_rate, to_rate);
  const std::span<const float> head = probe.Process(impulse);
  std::vector<float> response(head.begin(), head.end());
  const std::span<const float> tail = probe.Flush();
  response.insert(response.end(), tail.begin(), tail.end());
  const std::uint64_t centre = half / period.in * period.out;
  std::uint64_t reach = 0;
  for (std::uint64_t k = 0; k < response.size(); ++k) {
    if (response[static_cast<std::size_t>(k)] != 0.0f) reach = std::max(reach, k > centre ? k - centre : centre - k);
  }
  return reach * period.in / period.out + 1;
}

}  // namespace

std::vector<Stretch> PlanStretches(unsigned from_rate, unsigned to_rate, std::uint64_t frames, unsigned count) {
  const std::vector<Stretch> whole(1);
  if (count <= 1 || from_rate == 0 || to_rate == 0) return whole;
  const unsigned divisor = std::gcd(from_rate, to_rate);
  const Period period{from_rate / divisor, to_rate / divisor};
  // Twice the reach, so that the resampler's own way of starting is also
  // over before the stretch begins.
  const std::uint64_t lead = from_rate == to_rate ? 0 : RoundUp(2 * FilterReach(from_rate, to_rate, period) + 64, period.in);
  const std::uint64_t length = RoundUp((frames + count - 1) / count, period.in);
  // A second of signal a stretch at least, and much more than the lead:
  // anything shorter is over before a thread is started.
  if (length < std::max<std::uint64_t>(from_rate, 8 * lead) || frames <= length) return whole;

  std::vector<Stretch> stretches;
  for (std::uint64_t start = 0; start < frames; start += length) {
    Stretch stretch;
    const std::uint64_t lead_here = start == 0 ? 0 : lead;
    stretch.read_from = start - lead_here;
    stretch.skip = lead_here / period.in * period.out;
    stretch.first_out = start / period.in * period.out;
    stretch.keep = length / period.in * period.out;
    stretch.to_end = start + length >= frames;
    stretches.push_back(stretch);
  }
  return stretches;
}

StretchResampler::StretchResampler(unsigned from_rate, unsigned to_rate, const Stretch& stretch, Sink sink)
    : stretch_(stretch), sink_(std::move(sink)) {
  if (from_rate == to_rate) return;
  resampler_ = std::make_unique<Resampler>(from_rate, to_rate);
  error_ = resampler_->Error();
}

void StretchResampler::Feed(std::span<const float> samples) {
  if (!error_.empty() || Done() || samples.empty()) return;
  if (!resampler_) {
    Deliver(samples);
    return;
  }
  Deliver(resampler_->Process(samples));
}

void StretchResampler::Finish() {
  if (!error_.empty() || Done() || !resampler_) return;
  Deliver(resampler_->Flush());
}

void StretchResampler::Deliver(std::span<const float> made) {
  const std::uint64_t count = made.size();
  const std::uint64_t begin = std::clamp(stretch_.skip, made_, made_ + count) - made_;
  std::uint64_t end = count;
  if (!stretch_.to_end) end = std::clamp(stretch_.skip + stretch_.keep, made_, made_ + count) - made_;
  made_ += count;
  if (begin >= end) return;
  sink_(stretch_.first_out + kept_, made.subspan(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin)));
  kept_ += end - begin;
}

}  // namespace orvano::decode
