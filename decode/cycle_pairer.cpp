#include "decode/cycle_pairer.h"

#include "decode/symbols.h"

namespace orvano::decode {

std::size_t CyclePairer::Pair(std::span<const std::uint8_t> symbols, std::span<std::uint8_t> bits) {
  bool pending = pending_;
  std::size_t written = 0;
  for (const std::uint8_t symbol : symbols) {
    const bool long_cycle = symbol == kLongCycle;
    bits[written] = symbol;
    // A short cycle that closes a pair writes nothing.
    written += long_cycle || !pending ? 1 : 0;
    pending = !long_cycle && !pending;
  }
  pending_ = pending;
  return written;
}

}  // namespace orvano::decode
