#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "common/tape_timing.h"
#include "tests/encode/signal_reader.h"

namespace orvano::encode::testing {

using Bytes = std::vector<std::uint8_t>;

Bytes Join(std::initializer_list<Bytes> parts);
// Bytes 'A' to 'Z' over and over, from position `from` up to `to`.
Bytes Pattern(std::size_t from, std::size_t to);
// A header block: the type byte ten times and the name.
Bytes HeaderOf(std::uint8_t type, std::string_view name);

// One block of an image and whether it is to be played as a file's header.
struct PlayedBlock {
  Bytes bytes;
  bool header;
};

// The signal of blocks at a speed: a header behind the long leader, any
// other block behind a gap and the short leader.
std::vector<Segment> PlayedTape(const std::vector<PlayedBlock>& blocks, const TapeTiming& timing);

const CellShapes& ShapesFor(const TapeTiming& timing);

}  // namespace orvano::encode::testing
