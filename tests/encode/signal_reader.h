#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
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

// Reads 16-bit little-endian samples. A cell is 18 samples of -5000 and 18 of
// +5000 (bit 0) or four half-waves of 9 samples (bit 1); anything else ends
// the list with a Malformed segment at that sample.
std::vector<Segment> ReadSignal(std::span<const std::uint8_t> bytes);

}  // namespace orvano::encode::testing
