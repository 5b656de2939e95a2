#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/tape_timing.h"

namespace orvano::encode {

// The samples the encoder copies into its output, made once for a cell
// length: the whole frame of every byte value and a run of leader cells. A
// frame is then a single copy, and the encoder never computes a sample while
// it writes.
class SignalTables {
 public:
  // Leaders go out this many cells at a time.
  static constexpr std::size_t kLeaderRunCells = 256;

  // The tables of the timing's cell length, made on first use and kept.
  static const SignalTables& For(const TapeTiming& timing);

  explicit SignalTables(std::size_t cell_samples);

  // A start bit 0, the eight data bits least significant first, two stop bits 1.
  std::span<const std::uint8_t> Frame(std::uint8_t value) const;
  std::span<const std::uint8_t> LeaderRun(std::size_t cells) const;

 private:
  std::span<const std::uint8_t> Cell(bool bit) const;

  std::size_t cell_bytes_;
  std::size_t frame_bytes_;
  std::vector<std::uint8_t> zero_cell_;
  std::vector<std::uint8_t> one_cell_;
  std::vector<std::uint8_t> frames_;      // 256 frames, in the order of their values
  std::vector<std::uint8_t> leader_run_;  // kLeaderRunCells one-cells
};

}  // namespace orvano::encode
