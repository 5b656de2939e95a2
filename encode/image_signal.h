#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "common/byte_stream.h"
#include "common/reporter.h"
#include "common/tape_timing.h"
#include "encode/tape_encoder.h"
#include "tape/tape_block.h"

namespace orvano::encode {

// The largest tape image that is read or made: far more than any tape holds,
// and a bound on the memory an image costs.
inline constexpr std::uint64_t kMaxImageBytes = 16 * 1024 * 1024;

// Whether the block opens a file: at least 16 bytes, of which the first ten
// are one of the three type bytes repeated.
bool IsHeaderBlock(std::span<const std::uint8_t> block);

// The DataBytes of the signal of the blocks.
std::uint64_t ImageDataBytes(std::span<const tape::TapeBlock> blocks, const TapeTiming& timing);

// Every block in order, every byte of it: a header behind the long leader,
// any other block behind a gap and the short leader. The progress runs over
// the blocks' bytes; a failed output ends the loop.
void EncodeImageBlocks(std::span<const tape::TapeBlock> blocks, TapeEncoder& encoder, const ByteStream& output,
                       Progress& progress);

}  // namespace orvano::encode
