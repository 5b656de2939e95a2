#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "common/tape_timing.h"
#include "tape/tape_format.h"

namespace orvano::encode {

// The tape signal is a two-level square wave at 44100 samples per second.
// Every bit takes a cell of 36 samples, so the tape runs at 1225 bits per
// second: a 0 bit is one cycle of 1225 Hz, a 1 bit two cycles of 2450 Hz.
inline constexpr std::size_t kSampleBytes = 2;

inline constexpr std::size_t CellSamples = kTiming1200.cell_samples;
inline constexpr std::size_t kCellBytes = CellSamples * kSampleBytes;
inline constexpr std::size_t kFrameBytes = tape::kFrameBits * kCellBytes;
static_assert(kFrameBytes == 792, "a byte on tape costs 396 samples");

// Leaders are runs of 1 bits: a long one before the header block, a short one
// before every data block.
inline constexpr std::size_t LongLeaderCells = kTiming1200.long_leader_cells;
inline constexpr std::size_t ShortLeaderCells = kTiming1200.short_leader_cells;
inline constexpr std::size_t GapSamples = kTiming1200.gap_samples;
inline constexpr std::size_t kGapBytes = GapSamples * kSampleBytes;
static_assert(kGapBytes == 131070);

using Cell = std::array<std::uint8_t, kCellBytes>;

// A cell of half-waves of `half_wave` samples each, negative first, as
// little-endian 16-bit samples ready to be written as they stand.
constexpr Cell MakeCell(std::size_t half_wave) {
  Cell cell{};
  for (std::size_t sample = 0; sample < CellSamples; ++sample) {
    const bool low = (sample / half_wave) % 2 == 0;
    const auto bits = static_cast<std::uint16_t>(low ? kLowLevel : kHighLevel);
    cell[sample * kSampleBytes] = static_cast<std::uint8_t>(bits & 0xFFu);
    cell[sample * kSampleBytes + 1] = static_cast<std::uint8_t>(bits >> 8);
  }
  return cell;
}

inline constexpr Cell ZeroCell = MakeCell(CellSamples / 2);
inline constexpr Cell OneCell = MakeCell(CellSamples / 4);

// Both cells begin on their negative half and end on their positive half, so
// the signal steps from +5000 to -5000 wherever two cells meet.
// In 16-bit two's complement -5000 is 0xEC78 and +5000 is 0x1388.
static_assert(ZeroCell[0] == 0x78 && ZeroCell[1] == 0xEC && OneCell[0] == 0x78 && OneCell[1] == 0xEC);
static_assert(ZeroCell[kCellBytes - 2] == 0x88 && ZeroCell[kCellBytes - 1] == 0x13);
static_assert(OneCell[kCellBytes - 2] == 0x88 && OneCell[kCellBytes - 1] == 0x13);
static_assert(ZeroCell[17 * 2 + 1] == 0xEC && ZeroCell[18 * 2 + 1] == 0x13);
static_assert(OneCell[8 * 2 + 1] == 0xEC && OneCell[9 * 2 + 1] == 0x13 && OneCell[18 * 2 + 1] == 0xEC);

}  // namespace orvano::encode
