#include "common/memory_stream.h"

#include <algorithm>

namespace orvano {

void MemoryStream::DoRead(std::span<std::uint8_t> out) {
  const auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(position_);
  std::copy(first, first + static_cast<std::ptrdiff_t>(out.size()), out.begin());
  position_ += out.size();
}

void MemoryStream::DoWrite(std::span<const std::uint8_t> in) {
  const std::uint64_t end = position_ + in.size();
  if (end > bytes_.size()) bytes_.resize(end);
  std::copy(in.begin(), in.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(position_));
  position_ = end;
}

}  // namespace orvano
