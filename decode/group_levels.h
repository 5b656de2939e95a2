#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "decode/crossing_detector.h"

namespace orvano::decode {

// The amplitude of the signal over each group of samples lately, as the
// crossing detector measured it: cells and start bits weigh their level
// against it.
class GroupLevels {
 public:
  // The levels of the next groups, in order.
  void Add(std::span<const float> levels) {
    for (const float level : levels) levels_[groups_++ % levels_.size()] = level;
  }

  // The level over the group that holds `time`, for recent times; a time
  // after the last group gets the last level.
  float At(double time) const {
    if (groups_ == 0) return 0;
    auto group = static_cast<std::uint64_t>(time > 0 ? time : 0) / kGroupSamples;
    if (group >= groups_) group = groups_ - 1;
    if (group + levels_.size() < groups_) group = groups_ - levels_.size();
    return levels_[group % levels_.size()];
  }

 private:
  std::array<float, 512> levels_{};
  std::uint64_t groups_ = 0;
};

}  // namespace orvano::decode
