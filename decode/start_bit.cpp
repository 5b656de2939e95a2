#include "decode/start_bit.h"

#include <array>
#include <cmath>
#include <limits>

#include "decode/cell_shape.h"

namespace orvano::decode {
namespace {

// A start bit must look like a 0 cell this clearly, at this share of the
// leader's level, and last a cell to within this share; crossings of a
// square wave sampled at a low rate are a sample off at worst.
constexpr double kStartFit = 0.65;
constexpr double kStartLevel = 0.5;
constexpr double kStartLengthMiss = 0.12;
constexpr double kSampleSlack = 1.0;

}  // namespace

std::optional<StartBit> FindStartBit(std::span<const Crossing> crossings, std::size_t index, const ToneRun& leader,
                                     const SampleWindow& history, const GroupLevels& levels) {
  const double period = leader.Period();
  const double length = 2 * period;
  const double level = leader.Level();
  double best_miss = std::numeric_limits<double>::infinity();
  std::optional<StartBit> best;
  for (std::size_t at = index > 0 ? index - 1 : 0; at <= index + 1 && at < crossings.size(); ++at) {
    const Crossing& c = crossings[at];
    // Only the crossings of the long cycle itself; what follows a gap
    // after it is no part of this start bit.
    if (c.time > crossings[index].time + 1.5 * period) break;
    std::size_t next = at + 1;
    while (next < crossings.size() && crossings[next].rising != c.rising) ++next;
    std::size_t before = at;
    while (before > 0 && crossings[before - 1].rising != c.rising) --before;
    if (next == crossings.size() || before < 2) continue;
    const double cycle_miss = std::fabs(crossings[next].time - c.time - length);
    const double leader_miss = std::fabs(c.time - crossings[before - 2].time - period);
    if (cycle_miss > kStartLengthMiss * length + kSampleSlack || cycle_miss + leader_miss >= best_miss) continue;
    if (levels.At(c.time + period) < kStartLevel * level) continue;
    const double q = length / 4;
    const std::array<double, 4> quarters{history.Integral(c.time, c.time + q),
                                         history.Integral(c.time + q, c.time + 2 * q),
                                         history.Integral(c.time + 2 * q, c.time + 3 * q),
                                         history.Integral(c.time + 3 * q, c.time + length)};
    const CellShape shape = ShapeOfCell(quarters, c.rising ? 1.0 : -1.0);
    if (shape.bit == 0 && shape.fit >= kStartFit) {
      best_miss = cycle_miss + leader_miss;
      best = StartBit{c.time, c.rising};
    }
  }
  return best;
}

}  // namespace orvano::decode
