#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "decode/sample_history.h"

namespace orvano::decode {

// A pass of the signal through its middle level, at a fraction of a sample.
struct Crossing {
  double time = 0;   // in samples of the history
  float level = 0;   // the signal's amplitude around it (half of peak to peak)
  bool rising = false;
};

// The extremes and threshold masks of one group of samples; the kernel of
// the detector, apart so that its vector code and the portable one can be
// tested against each other.
inline constexpr std::size_t kGroupSamples = 32;

struct GroupScan {
  float lowest = 0;
  float highest = 0;
};
GroupScan ExtremesOfGroup(const float* samples);
struct GroupMasks {
  std::uint32_t above = 0;    // bit j set where sample j lies above the band
  std::uint32_t below = 0;    // ... below the band
  std::uint32_t over_middle = 0;  // ... above the middle level
};
GroupMasks ThresholdMasks(const float* samples, float high, float middle, float low);
// Where a Schmitt trigger trips inside a group, all at once: `above` and
// `below` mark the samples outside its band, `state` is +1 when it stands
// above the band before the group, -1 below, 0 not known yet. Gives the
// samples where it trips and its state after the group.
struct GroupTrips {
  std::uint32_t trips = 0;
  int state = 0;
};
GroupTrips TripsOfGroup(std::uint32_t above, std::uint32_t below, int state);

// Turns the signal into crossings with a Schmitt trigger whose middle level
// and hysteresis follow the signal: the middle of its extremes over the
// last cycle or so, and a fifth of its amplitude either side. An offset,
// drift, hum and a changing level move the trigger with them; the crossing
// itself is placed where the signal passes the middle level, between the
// two samples around it.
class CrossingDetector {
 public:
  // `rate` is the history's sample rate.
  explicit CrossingDetector(unsigned rate);

  // Looks at every whole group of samples in the window not seen yet,
  // appends the crossings found and the signal's amplitude over each group.
  void Scan(const SampleWindow& samples, std::vector<Crossing>& out, std::vector<float>& levels);
  // Every crossing before this time has been found.
  double SafeTime() const;

 private:
  // What a group of samples is measured by.
  struct Band {
    GroupScan extremes;
    float middle = 0;
    float level = 0;
    bool usable = false;
    GroupMasks masks;
  };
  void AddCrossings(const SampleWindow& samples, std::uint64_t first, const Band& band, std::vector<Crossing>& out);

  std::size_t back_limit_;
  std::uint64_t done_ = 0;
  int state_ = 0;  // -1 below, +1 above the hysteresis band, 0 not known yet
  // Extremes of the last groups, enough to span the longest cycle.
  std::array<GroupScan, 4> window_{};
  std::size_t window_groups_;
  std::size_t window_next_ = 0;
  std::vector<Band> bands_;  // of the groups being scanned
};

}  // namespace orvano::decode
