#include "decode/sample_history.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace orvano::decode {

SampleHistory::SampleHistory(std::size_t length, std::size_t most_room)
    : buffer_(std::bit_ceil(std::max<std::size_t>(length, 1)) + most_room),
      mask_(std::bit_ceil(std::max<std::size_t>(length, 1)) - 1) {}

void SampleHistory::Commit(std::size_t count) {
  const std::size_t at = end_ & mask_;
  if (at + count > Length()) {
    const auto over = buffer_.begin() + static_cast<std::ptrdiff_t>(Length());
    std::copy(over, over + static_cast<std::ptrdiff_t>(at + count - Length()), buffer_.begin());
  }
  end_ += count;
}

double SampleWindow::Integral(double from, double to) const {
  const std::uint64_t begin_index = Begin();
  const double first = static_cast<double>(begin_index) - 0.5;
  const double last = static_cast<double>(end_) - 0.5;
  from = std::clamp(from, first, last);
  to = std::clamp(to, from, last);
  const auto begin = static_cast<std::uint64_t>(std::floor(from + 0.5));
  const auto end = static_cast<std::uint64_t>(std::floor(to + 0.5));
  if (begin == end) return (to - from) * (begin < end_ ? At(begin) : 0.0f);
  double sum = (static_cast<double>(begin) + 0.5 - from) * At(begin);
  for (std::uint64_t n = begin + 1; n < end; ++n) sum += At(n);
  if (end < end_) sum += (to - (static_cast<double>(end) - 0.5)) * At(end);
  return sum;
}

}  // namespace orvano::decode
