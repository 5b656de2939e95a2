#pragma once

#include <cstddef>
#include <cstdint>

#include "common/tape_timing.h"
#include "tape/tape_format.h"

namespace orvano::encode {

// The tape signal is a two-level square wave of 16-bit little-endian samples.
// Every bit takes one cell of the timing's length: a 0 bit is one cycle, a 1
// bit two. At 1200 baud a cell is 36 samples (1225 bits per second, cycles of
// 1225 and 2450 Hz); at 2400 baud it is 18.
inline constexpr std::size_t kSampleBytes = 2;
inline constexpr std::size_t kZeroHalfWaves = 2;
inline constexpr std::size_t kOneHalfWaves = 4;

constexpr std::size_t CellBytes(const TapeTiming& timing) { return timing.cell_samples * kSampleBytes; }
constexpr std::size_t FrameBytes(const TapeTiming& timing) { return tape::kFrameBits * CellBytes(timing); }
constexpr std::size_t GapBytes(const TapeTiming& timing) { return timing.gap_samples * kSampleBytes; }

static_assert(FrameBytes(kTiming1200) == 792, "a byte on tape costs 396 samples at 1200 baud");
static_assert(FrameBytes(kTiming2400) == 396);
static_assert(GapBytes(kTiming1200) == 131070 && GapBytes(kTiming2400) == 131070);

// The level of one sample of a cell made of `half_waves` half-waves,
// negative first. Sample s lies in half-wave s * half_waves / cell_samples,
// so half-waves that cannot be equal differ by one sample, the longer first:
// a 1 bit of 18 samples is 5, 4, 5 and 4.
constexpr std::int16_t CellLevel(std::size_t sample, std::size_t cell_samples, std::size_t half_waves) {
  return (sample * half_waves / cell_samples) % 2 == 0 ? kLowLevel : kHighLevel;
}

// Both cells begin on their negative half and end on their positive half, so
// the signal steps from +5000 to -5000 wherever two cells meet.
static_assert(CellLevel(0, 36, kZeroHalfWaves) == kLowLevel && CellLevel(17, 36, kZeroHalfWaves) == kLowLevel);
static_assert(CellLevel(18, 36, kZeroHalfWaves) == kHighLevel && CellLevel(35, 36, kZeroHalfWaves) == kHighLevel);
static_assert(CellLevel(8, 36, kOneHalfWaves) == kLowLevel && CellLevel(9, 36, kOneHalfWaves) == kHighLevel);
static_assert(CellLevel(18, 36, kOneHalfWaves) == kLowLevel && CellLevel(35, 36, kOneHalfWaves) == kHighLevel);
static_assert(CellLevel(4, 18, kOneHalfWaves) == kLowLevel && CellLevel(5, 18, kOneHalfWaves) == kHighLevel);
static_assert(CellLevel(8, 18, kOneHalfWaves) == kHighLevel && CellLevel(9, 18, kOneHalfWaves) == kLowLevel);
static_assert(CellLevel(13, 18, kOneHalfWaves) == kLowLevel && CellLevel(14, 18, kOneHalfWaves) == kHighLevel);

}  // namespace orvano::encode
