#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "decode/crossing_detector.h"
#include "decode/group_levels.h"
#include "decode/leader_finder.h"
#include "decode/sample_history.h"

namespace orvano::decode {

// Where a block begins: the crossing that starts its first start bit.
struct StartBit {
  double time = 0;
  bool rising = false;
};

// Whether the long cycle that begins near `crossings[index]`, behind the
// leader `leader`, is a start bit, and which crossing begins it. The long
// cycle begins at the start bit or half a cycle before it, and lopsided
// half-waves move its middle crossing, so the crossings around it are
// tried as well. The start bit is the one whose cycle lasts a whole cell,
// follows a cycle of the leader, and has the shape of a 0 cell at the
// leader's level; the others are off by half a cycle or by what the
// lopsided half-waves take. The crossings must be known up to five leader
// cycles and two samples after `crossings[index]`.
std::optional<StartBit> FindStartBit(std::span<const Crossing> crossings, std::size_t index, const ToneRun& leader,
                                     const SampleWindow& history, const GroupLevels& levels);

}  // namespace orvano::decode
