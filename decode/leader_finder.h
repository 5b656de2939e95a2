#pragma once

#include <cstddef>

#include "decode/crossing_detector.h"

namespace orvano::decode {

// A run of cycles of one steady length, as a leader is.
struct ToneRun {
  double start = 0;        // where its first cycle began (samples)
  double period_sum = 0;   // the cycles counted, added up
  std::size_t cycles = 0;  // cycles counted: each crossing direction counts its own
  double level_sum = 0;    // amplitudes at those cycles, added up

  double Period() const { return cycles == 0 ? 0 : period_sum / static_cast<double>(cycles); }
  // Whether `length` is longer than `times` the mean period.
  bool Exceeds(double length, double times) const { return length * static_cast<double>(cycles) > times * period_sum; }
  double Level() const { return cycles == 0 ? 0 : level_sum / static_cast<double>(cycles); }
};

// Finds leaders among the crossings between blocks: runs of 160 cycles or
// more that keep one length, that of the high tone of some tape between
// 880 and 2900 baud. Noise, hum and silence never hold a tone that long. A
// leader once found survives dropouts in it until it is silent for a
// tenth of a second.
class LeaderFinder {
 public:
  enum class Event { None, Found, Lost };

  // `rate` is the sample rate of the crossing times.
  explicit LeaderFinder(unsigned rate);

  Event Add(const Crossing& crossing);
  // Time passes without crossings until `now`.
  Event Tick(double now);
  // Forgets the current run, as when its leader has led into a block.
  void Restart();
  // Takes a run found by other means as a leader already found.
  void Adopt(double start, double period, std::size_t cycles, double level);

  bool Found() const { return found_; }
  const ToneRun& Run() const { return run_; }
  // The run of the last leader that was lost.
  const ToneRun& LostRun() const { return lost_; }
  // Where the current run of steady cycles began; nothing before it can be
  // part of a leader found later. Infinite when there is no run.
  double RunStart() const;

 private:
  void Begin(double period, const Crossing& crossing);
  bool Steady(double period) const;

  double shortest_;
  double longest_;
  double gap_;
  bool found_ = false;
  bool seen_[2] = {false, false};
  double last_[2] = {0, 0};
  double recent_period_ = 0;
  double last_steady_ = 0;
  ToneRun run_;
  ToneRun lost_;
};

}  // namespace orvano::decode
