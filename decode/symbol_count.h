#pragma once

#include <cstdint>
#include <span>

#include "decode/symbols.h"

namespace orvano::decode {

// How many of each character a pass wrote: '0' and '1' are long and short
// cycles in a cycle file, 0 and 1 bits in a bit file.
struct SymbolCounts {
  std::uint64_t zeros = 0;
  std::uint64_t ones = 0;
  std::uint64_t total = 0;

  bool operator==(const SymbolCounts&) const = default;
};

// Adds the characters of one block to the counts. Sixteen at a time where
// the machine has SSE2, so that counting costs the passes next to nothing.
void CountSymbols(std::span<const std::uint8_t> symbols, SymbolCounts& counts);

static_assert(kLongCycle == kZeroBit && kShortCycle == kOneBit, "one count serves both files");

}  // namespace orvano::decode
