#include "decode/sample_history.h"

#include <algorithm>
#include <cmath>

namespace orvano::decode {

SampleHistory::SampleHistory(std::size_t keep) : keep_(keep) {}

std::span<float> SampleHistory::Room(std::size_t count) {
  if (size_ + count > buffer_.size()) {
    // Drop all but the kept tail; the buffer grows only when a single
    // extension is larger than any before.
    const std::size_t kept = std::min(size_, keep_);
    std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(size_ - kept),
              buffer_.begin() + static_cast<std::ptrdiff_t>(size_), buffer_.begin());
    base_ += size_ - kept;
    size_ = kept;
    if (size_ + count > buffer_.size()) buffer_.resize(std::max(2 * (keep_ + count), buffer_.size()));
  }
  return {buffer_.data() + size_, count};
}

double SampleHistory::Integral(double from, double to) const {
  const double first = static_cast<double>(base_) - 0.5;
  const double last = static_cast<double>(base_ + size_) - 0.5;
  from = std::clamp(from, first, last);
  to = std::clamp(to, from, last);
  const auto begin = static_cast<std::uint64_t>(std::floor(from + 0.5));
  const auto end = static_cast<std::uint64_t>(std::floor(to + 0.5));
  if (begin == end) return (to - from) * (begin < base_ + size_ ? At(begin) : 0.0f);
  double sum = (static_cast<double>(begin) + 0.5 - from) * At(begin);
  for (std::uint64_t n = begin + 1; n < end; ++n) sum += At(n);
  if (end < base_ + size_) sum += (to - (static_cast<double>(end) - 0.5)) * At(end);
  return sum;
}

}  // namespace orvano::decode
