#include "decode/leader_finder.h"

#include <cmath>
#include <limits>

namespace orvano::decode {
namespace {

constexpr double kSlowestBaud = 880;
constexpr double kFastestBaud = 2900;
// Cycles of either direction, so twice the cycles of the tone.
constexpr std::size_t kLeaderCycles = 2 * 160;
// Wow, flutter and noise move single cycles by a few per cent; a cycle of
// the other tone is half or twice as long.
constexpr double kTolerance = 0.22;
// Crossings of a square wave at a low sample rate land on half samples, so
// its cycles differ by a whole sample now and then.
constexpr double kSampleSlack = 1.0;
constexpr double kSilenceThatEndsALeader = 0.1;

}  // namespace

LeaderFinder::LeaderFinder(unsigned rate)
    : shortest_(rate / (2 * kFastestBaud)),
      longest_(rate / (2 * kSlowestBaud)),
      gap_(kSilenceThatEndsALeader * rate) {}

double LeaderFinder::RunStart() const {
  return run_.cycles == 0 ? std::numeric_limits<double>::infinity() : run_.start;
}

void LeaderFinder::Restart() {
  found_ = false;
  run_ = {};
}

void LeaderFinder::Adopt(double start, double period, std::size_t cycles, double level) {
  run_ = {start, period * static_cast<double>(cycles), cycles, level * static_cast<double>(cycles)};
  recent_period_ = period;
  last_steady_ = start + period * static_cast<double>(cycles) / 2;
  found_ = true;
  seen_[0] = seen_[1] = false;
}

void LeaderFinder::Begin(double period, const Crossing& crossing) {
  run_ = {};
  if (period < shortest_ || period > longest_) return;
  run_ = {crossing.time - period, period, 1, crossing.level};
  recent_period_ = period;
  last_steady_ = crossing.time;
}

bool LeaderFinder::Steady(double period) const {
  if (!found_) return std::fabs(period - recent_period_) <= kTolerance * recent_period_ + kSampleSlack;
  // A leader once found is held to its mean, so that the noise of a
  // dropout cannot lead the recent period astray; the mean times the
  // cycles is the sum, which spares a division.
  const auto cycles = static_cast<double>(run_.cycles);
  return std::fabs(period * cycles - run_.period_sum) <= kTolerance * run_.period_sum + kSampleSlack * cycles;
}

LeaderFinder::Event LeaderFinder::Add(const Crossing& crossing) {
  // A leader silent for too long is lost before this crossing counts, as
  // if time had been told to pass without it.
  const Event lost = found_ && crossing.time - last_steady_ > gap_ ? Tick(crossing.time) : Event::None;
  const int direction = crossing.rising ? 1 : 0;
  if (!seen_[direction]) {
    seen_[direction] = true;
    last_[direction] = crossing.time;
    return lost;
  }
  const double period = crossing.time - last_[direction];
  last_[direction] = crossing.time;
  if (run_.cycles != 0 && Steady(period)) {
    ++run_.cycles;
    run_.period_sum += period;
    run_.level_sum += crossing.level;
    recent_period_ += (period - recent_period_) * 0.125;
    last_steady_ = crossing.time;
    if (!found_ && run_.cycles >= kLeaderCycles) {
      found_ = true;
      return Event::Found;
    }
    return Event::None;
  }
  if (!found_) Begin(period, crossing);
  return lost;
}

LeaderFinder::Event LeaderFinder::Tick(double now) {
  if (!found_ || now - last_steady_ <= gap_) return Event::None;
  found_ = false;
  lost_ = run_;
  run_ = {};
  seen_[0] = seen_[1] = false;
  return Event::Lost;
}

}  // namespace orvano::decode
