#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace orvano::encode::testing {

// A tape signal read back as a list of its parts: a run of one-cells, a run
// of zero samples, or a run of byte frames.
struct Segment {
  enum class Kind { Leader, Gap, Frames, Malformed } kind;
  std::size_t count = 0;             // leader cells, gap samples
  std::vector<std::uint8_t> bytes;   // the bytes of the frames

  bool operator==(const Segment&) const = default;
};

Segment Leader(std::size_t cells);
Segment Gap(std::size_t samples);
Segment Frames(std::vector<std::uint8_t> bytes);
std::ostream& operator<<(std::ostream& out, const Segment& segment);

// The half-waves of the two cells, in samples, negative first.
struct CellShapes {
  std::vector<std::size_t> zero;
  std::vector<std::size_t> one;
};
// 1200 baud: 18 + 18 and four of 9. 2400 baud: 9 + 9 and 5, 4, 5, 4.
extern const CellShapes kShapes1200;
extern const CellShapes kShapes2400;

// Reads 16-bit little-endian samples of -5000 and +5000 in cells of the
// given shapes; anything else ends the list with a Malformed segment at that
// sample.
std::vector<Segment> ReadSignal(std::span<const std::uint8_t> bytes, const CellShapes& shapes = kShapes1200);

// The bits of consecutive cells from the first sample on: '0', '1', or '?'
// for a cell of neither shape.
std::string CellBits(std::span<const std::uint8_t> bytes, const CellShapes& shapes);

}  // namespace orvano::encode::testing
