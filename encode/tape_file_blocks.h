#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "common/conversion_options.h"
#include "encode/source_kind.h"

namespace orvano::encode {

using Block = std::vector<std::uint8_t>;

// The blocks one source becomes on tape, as New writes that file: the header
// block (the type byte ten times and the six-byte name), then
//  - binary: one block of the load, end and start address and the image;
//  - BASIC: one block of the program without a leading 0xFF, and ten zeros;
//  - text: blocks of 256 bytes, the last filled up with 0x1A end marks. A text
//    that fills its last block exactly gets one more block of end marks, as
//    the computer reads blocks until one holds an end mark.
// Nothing for SourceKind::None.
std::vector<Block> TapeFileBlocks(SourceKind kind, std::string_view tape_name, std::span<const std::uint8_t> source,
                                  const ConversionOptions& options);

// The tape image of the blocks, in order. An image that would end in what
// reads as the first bytes of a block marker is padded with zeros up to a
// multiple of 8, as a block followed by another would be, so that no reader
// takes its last bytes for a marker cut short.
std::vector<std::uint8_t> ImageOfBlocks(std::span<const Block> blocks);

}  // namespace orvano::encode
