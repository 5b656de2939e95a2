#pragma once

#include <cstddef>
#include <cstdint>

#include "common/conversion_options.h"

namespace orvano {

// The facts of the tape signal that Orvano writes and the step-by-step chain
// reads, in one place. A sample file runs at 44100 samples per second and
// holds only the levels -5000, 0 and +5000; a bit is a cell of whole samples,
// a 0 one cycle and a 1 two; leaders are runs of 1 bits and gaps silence.
inline constexpr unsigned kSampleRate = 44100;
inline constexpr std::int16_t kHighLevel = 5000;
inline constexpr std::int16_t kLowLevel = -5000;
static_assert(kHighLevel == 0x1388 && static_cast<std::uint16_t>(kLowLevel) == 0xEC78);

// A window of half-wave lengths in samples, both ends included.
struct HalfWaveWindow {
  std::size_t shortest;
  std::size_t longest;

  constexpr bool Holds(std::size_t samples) const { return samples >= shortest && samples <= longest; }
};

struct TapeTiming {
  unsigned sample_rate;
  std::size_t cell_samples;        // one bit
  std::size_t long_leader_cells;   // before a header block
  std::size_t short_leader_cells;  // before every data block
  std::size_t gap_samples;         // silence before a data block
  // How phase 1 reads the negative half-waves of a cell: short ones are half
  // of a 1 bit's cycle, long ones half of a 0 bit's. A length between the
  // windows belongs to neither and is dropped.
  HalfWaveWindow short_half_wave;
  HalfWaveWindow long_half_wave;

  // Bits per second when played at the sample rate.
  constexpr double Baud() const { return static_cast<double>(sample_rate) / static_cast<double>(cell_samples); }
};

// 36-sample cells: 1225 bits per second, cycles of 1225 and 2450 Hz. The
// leaders are 15360 and 3840 cycles of the high tone, the gap 65535 zero
// samples, the most a 16-bit count holds.
inline constexpr TapeTiming kTiming1200{kSampleRate, 36, 7680, 1920, 65535, {6, 13}, {15, 29}};
// Cells of half the length; twice the leader cells keep the leaders' time.
inline constexpr TapeTiming kTiming2400{kSampleRate, 18, 15360, 3840, 65535, {3, 6}, {8, 14}};

static_assert(kTiming1200.cell_samples == 2 * kTiming2400.cell_samples);
static_assert(kTiming1200.long_leader_cells * kTiming1200.cell_samples ==
              kTiming2400.long_leader_cells * kTiming2400.cell_samples);
static_assert(kTiming1200.short_leader_cells * kTiming1200.cell_samples ==
              kTiming2400.short_leader_cells * kTiming2400.cell_samples);

constexpr const TapeTiming& TimingFor(Baud baud) { return baud == Baud::k2400 ? kTiming2400 : kTiming1200; }

}  // namespace orvano
