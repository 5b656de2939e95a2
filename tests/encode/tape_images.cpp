#include "tests/encode/tape_images.h"

#include <algorithm>

namespace orvano::encode::testing {

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Pattern(std::size_t from, std::size_t to) {
  Bytes bytes;
  for (std::size_t i = from; i < to; ++i) bytes.push_back(static_cast<std::uint8_t>('A' + i % 26));
  return bytes;
}

Bytes HeaderOf(std::uint8_t type, std::string_view name) {
  Bytes header(10 + name.size(), type);
  std::copy(name.begin(), name.end(), header.begin() + 10);
  return header;
}

std::vector<Segment> PlayedTape(const std::vector<PlayedBlock>& blocks, const TapeTiming& timing) {
  std::vector<Segment> segments;
  for (const PlayedBlock& block : blocks) {
    if (block.header) {
      segments.push_back(Leader(timing.long_leader_cells));
    } else {
      segments.push_back(Gap(timing.gap_samples));
      segments.push_back(Leader(timing.short_leader_cells));
    }
    if (!block.bytes.empty()) segments.push_back(Frames(block.bytes));
  }
  return segments;
}

const CellShapes& ShapesFor(const TapeTiming& timing) {
  return timing.cell_samples == 18 ? kShapes2400 : kShapes1200;
}

}  // namespace orvano::encode::testing
