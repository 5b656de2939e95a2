#include "decode/cell_reader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "decode/cell_shape.h"

namespace orvano::decode {
namespace {

// Where the crossings of a clean cell may lie, in cell lengths from its
// start: those at a quarter and three quarters move with lopsided
// half-waves, the one in the middle only with noise.
constexpr double kEdgeMargin = 0.125;
constexpr double kBoundaryWindow = 0.25;
// Under a dropout only a crossing this near its place may move the clock.
constexpr double kFadedWindow = 0.08;
constexpr double kMiddleOfZero = 0.2;
constexpr double kMiddleOfOne = 0.12;
// A cell decided by its quarters must put this much of its energy in one
// pattern, and a cell of either kind must keep this share of the block's
// level. Noise at 14 dB below the signal, alone, has a third of the level
// of signal and noise together; hiss and hum between blocks have less.
constexpr double kLeastFit = 0.75;
constexpr double kSureFit = 0.8;
constexpr double kLeastLevel = 0.42;
// Good cells in a row that make sure of the signal; cells without such a
// run for this long, and at least this many, mean the signal is gone.
constexpr std::size_t kSureRun = 4;
constexpr double kLossSeconds = 0.06;
constexpr std::size_t kLeastLossCells = 8;
// A square wave sampled at a low rate places each crossing only to within
// half a sample, whatever the cell length.
constexpr double kSampleSlack = 0.5;
// How fast the cell length follows the tape, and how far it may go.
constexpr double kLengthGain = 0.125;
constexpr double kLengthRange = 0.25;
constexpr double kLengthStep = 0.12;
// The level follows a tape that slowly fades or swells.
constexpr double kLevelGain = 1.0 / 32;

}  // namespace

CellReader::CellReader(unsigned rate, const SampleWindow& history, const GroupLevels& levels)
    : history_(history), group_levels_(levels), rate_(rate) {}

void CellReader::Start(double start, double length, bool rising, float level) {
  cursor_ = 0;
  first_ = start_ = start;
  length_ = nominal_ = length;
  rising_ = rising;
  level_ = level;
  // The start bit has been checked already, so the signal is taken as sure.
  good_run_ = kSureRun;
  unsure_cells_ = 0;
  sure_until_ = start;
  lost_after_ = std::max(kLeastLossCells, static_cast<std::size_t>(kLossSeconds * rate_ / length));
}

double CellReader::SureUntil() const {
  return unsure_cells_ == 0 ? std::numeric_limits<double>::infinity() : sure_until_;
}

std::optional<Cell> CellReader::Next(std::span<const Crossing> crossings, double safe) {
  if (Lost() || start_ + (1 + kBoundaryWindow) * length_ > safe) return std::nullopt;
  return ReadCell(crossings);
}

Cell CellReader::ReadCell(std::span<const Crossing> crossings) {
  const double start = start_;
  const double length = length_;
  const double expected_end = start + length;
  while (cursor_ < crossings.size() && crossings[cursor_].time < start + kEdgeMargin * length) ++cursor_;
  const auto first = crossings.begin() + static_cast<std::ptrdiff_t>(cursor_);
  const Crossing* boundary = nullptr;
  for (auto it = first; it != crossings.end() && it->time <= expected_end + kBoundaryWindow * length; ++it) {
    if (it->rising == rising_ && std::fabs(it->time - expected_end) <= kBoundaryWindow * length &&
        (boundary == nullptr || std::fabs(it->time - expected_end) < std::fabs(boundary->time - expected_end))) {
      boundary = &*it;
    }
  }
  const double level = group_levels_.At(start + 0.5 * length);
  const bool level_ok = level >= kLeastLevel * level_;
  const auto near = [&](const Crossing* c, double at, double tolerance) {
    return std::fabs(c->time - (start + at * length)) <= tolerance * length + kSampleSlack;
  };
  // The bit that the crossings inside make when they are those of a clean
  // cell.
  const double found_end = boundary != nullptr ? boundary->time : expected_end;
  std::array<const Crossing*, 3> inside{};
  std::size_t inside_count = 0;
  for (auto it = first; it != crossings.end() && it->time < found_end - kEdgeMargin * length; ++it) {
    if (inside_count < inside.size()) inside[inside_count] = &*it;
    ++inside_count;
  }
  std::optional<std::uint8_t> clean_bit;
  if (inside_count == 1 && inside[0]->rising != rising_ && near(inside[0], 0.5, kMiddleOfZero)) {
    clean_bit = 0;
  } else if (inside_count == 3 && inside[1]->rising == rising_ && inside[0]->rising != rising_ &&
             inside[2]->rising != rising_ && near(inside[1], 0.5, kMiddleOfOne)) {
    clean_bit = 1;
  }
  const auto shape_until = [&](double end) {
    const double quarter = (end - start) / 4;
    const std::array<double, 4> quarters{
        history_.Integral(start, start + quarter), history_.Integral(start + quarter, start + 2 * quarter),
        history_.Integral(start + 2 * quarter, start + 3 * quarter), history_.Integral(start + 3 * quarter, end)};
    return ShapeOfCell(quarters, rising_ ? 1.0 : -1.0);
  };
  Cell cell{start, found_end, 0, false, false};
  if (level_ok && clean_bit) {
    cell.bit = *clean_bit;
    cell.good = true;
  } else {
    CellShape shape = shape_until(cell.end);
    // A faded cell lies under a dropout unless it keeps the shape and the
    // place of a cell: crossings there may be the hiss's, so the clock runs
    // on by itself and the cells after it are read in step. Its bit is a
    // guess when even there it has no shape.
    const bool in_step = boundary != nullptr && std::fabs(boundary->time - expected_end) <= kFadedWindow * length;
    if (!level_ok && !clean_bit && !(in_step && shape.fit >= kLeastFit)) {
      boundary = nullptr;
      cell.end = expected_end;
      shape = shape_until(cell.end);
      cell.faded = shape.fit < kLeastFit;
    }
    cell.bit = shape.bit;
    // Without the crossing that begins the next cell, as at the end of a
    // block, the shape alone must leave no doubt.
    cell.good = level_ok && shape.fit >= (boundary != nullptr ? kLeastFit : kSureFit);
  }

  if (cell.good) {
    if (++good_run_ >= kSureRun) {
      unsure_cells_ = 0;
      sure_until_ = cell.end;
    } else {
      ++unsure_cells_;
    }
    level_ += kLevelGain * (level - level_);
  } else {
    good_run_ = 0;
    ++unsure_cells_;
  }
  // The clock follows every cell start it finds outside a dropout, so that
  // it keeps in step with the tape; only a good cell of a likely length
  // tells the tape's speed.
  const double measured = cell.end - start;
  if (cell.good && boundary != nullptr && std::fabs(measured - length_) <= kLengthStep * length_) {
    length_ += kLengthGain * (measured - length_);
    length_ = std::clamp(length_, (1 - kLengthRange) * nominal_, (1 + kLengthRange) * nominal_);
  }
  start_ = cell.end;
  return cell;
}

}  // namespace orvano::decode
