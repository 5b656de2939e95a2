#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/tape_timing.h"
#include "decode/symbols.h"

namespace orvano::decode {

// What a negative half-wave of `run` samples stands for: a short cycle (6 to
// 13 samples), a long cycle (15 to 29) or nothing. A run of exactly 14
// samples lies between the two tones and is dropped rather than rounded to
// either; glitches of 5 samples or less and runs of 30 or more are no cycle
// of the tape signal.
inline constexpr std::uint8_t kNoCycle = 0;

inline constexpr std::array<std::uint8_t, 256> kCycleOfRun = [] {
  std::array<std::uint8_t, 256> table{};
  for (std::size_t run = 0; run < table.size(); ++run) {
    if (kTiming1200.short_half_wave.Holds(run)) table[run] = kShortCycle;
    if (kTiming1200.long_half_wave.Holds(run)) table[run] = kLongCycle;
  }
  return table;
}();
static_assert(kCycleOfRun[5] == kNoCycle && kCycleOfRun[6] == kShortCycle && kCycleOfRun[13] == kShortCycle);
static_assert(kCycleOfRun[14] == kNoCycle);
static_assert(kCycleOfRun[15] == kLongCycle && kCycleOfRun[29] == kLongCycle && kCycleOfRun[30] == kNoCycle);
static_assert(kCycleOfRun[0] == kNoCycle, "a non-negative sample after another writes nothing");

// Measures the negative half-waves of a signal and writes one cycle symbol
// for each run that ends. The run counter is 8 bits wide and wraps, so a run
// of 256 + n samples counts as n. The counter survives between calls: a run
// may span any number of blocks, and a run still open when the signal ends
// writes nothing.
class CycleClassifier {
 public:
  // `samples` holds whole little-endian samples; `symbols` needs room for one
  // symbol per sample. Returns how many symbols were written.
  std::size_t Classify(std::span<const std::uint8_t> samples, std::span<std::uint8_t> symbols);

  std::uint8_t Run() const { return run_; }

 private:
  std::uint8_t run_ = 0;
};

}  // namespace orvano::decode
