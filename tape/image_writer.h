#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tape/file_assembly.h"
#include "tape/tape_block.h"

namespace orvano::tape {

// The emulator tape image of a tape: every block in tape order, each after
// its marker. A block of a file ends where the computer stops reading it,
// so that what other encoders put after it stays out; a block of no file is
// kept whole.
std::vector<std::uint8_t> TapeImageOf(std::span<const TapeBlock> blocks, const TapeLayout& layout);

}  // namespace orvano::tape
