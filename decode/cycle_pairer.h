#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace orvano::decode {

// Turns cycle symbols into bits: a long cycle is a 0 bit and passes through;
// two short cycles in a row are one 1 bit. The pending flag says that the
// last symbol written opened a pair of short cycles; a long cycle clears it,
// so a lone short cycle between two long ones still gives a 1 bit. Anything
// that is not a long cycle counts as a short one and is copied unchanged.
// The flag survives between calls, so a pair may straddle two blocks.
class CyclePairer {
 public:
  // `bits` needs room for one character per symbol. Returns how many were
  // written.
  std::size_t Pair(std::span<const std::uint8_t> symbols, std::span<std::uint8_t> bits);

  bool Pending() const { return pending_; }

 private:
  bool pending_ = false;
};

}  // namespace orvano::decode
