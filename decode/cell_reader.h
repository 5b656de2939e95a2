#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "decode/crossing_detector.h"
#include "decode/group_levels.h"
#include "decode/sample_history.h"

namespace orvano::decode {

// One bit cell as it was read. Times are in samples of the history.
struct Cell {
  double start = 0;
  double end = 0;
  std::uint8_t bit = 0;
  bool good = false;   // it looked like a cell of the tape, not like noise or silence
  bool faded = false;  // the signal had faded under it (a dropout), and its bit is a guess
};

// Follows the bit cells of a block. Every cell begins with a crossing of
// the same direction, so each cell's start is looked for near where the
// last one's length says it should be, and the cell length follows the
// tape's speed through drift, wow and flutter. A cell whose crossings
// show its bit cleanly is taken as it is; any other is decided by the
// areas of its quarters. Noise now and then looks like a cell by chance,
// but seldom several times in a row: only runs of good cells count as the
// signal, and a long enough stretch without one means it is gone.
class CellReader {
 public:
  CellReader(unsigned rate, const SampleWindow& history, const GroupLevels& levels);

  // The first cell begins at `start` with a crossing rising or not; cells
  // are about `length` long and the signal about `level` strong.
  void Start(double start, double length, bool rising, float level);
  // Reads the next cell when its end and the time around it lie before
  // `safe`, given the crossings found so far (in time order).
  std::optional<Cell> Next(std::span<const Crossing> crossings, double safe);

  // The first `count` crossings were dropped from the front of the list.
  void Forget(std::size_t count) { cursor_ -= count < cursor_ ? count : cursor_; }

  // Where the block's first cell began.
  double Start() const { return first_; }
  double NextStart() const { return start_; }
  double Length() const { return length_; }
  // The signal's amplitude over the good cells lately.
  double Level() const { return level_; }
  bool Lost() const { return unsure_cells_ >= lost_after_; }
  // The end of the last run of good cells when cells have followed it;
  // infinite when the last cell belongs to such a run.
  double SureUntil() const;

 private:
  Cell ReadCell(std::span<const Crossing> crossings);

  const SampleWindow& history_;
  const GroupLevels& group_levels_;
  double rate_;
  std::size_t cursor_ = 0;  // no crossing before this one lies in a cell still to read
  double first_ = 0;
  double start_ = 0;
  double length_ = 0;
  double nominal_ = 0;
  bool rising_ = false;
  double level_ = 0;
  std::size_t good_run_ = 0;
  std::size_t unsure_cells_ = 0;
  std::size_t lost_after_ = 0;
  double sure_until_ = 0;
};

}  // namespace orvano::decode
