#pragma once

#include <array>
#include <cstdint>

namespace orvano::decode {

// What the four quarters of a bit cell say. A 0 cell is one cycle, high
// high low low by quarters; a 1 cell two, high low high low. The two
// patterns, and a third that a late or early 0 cell leans towards, are
// orthogonal and free of any offset, so comparing the signal's projections
// on them decides the bit with the whole cell's energy and tells how well
// the cell looked like either.
struct CellShape {
  std::uint8_t bit = 0;
  double fit = 0;  // 0 to 1: the share of the cell's energy in the winning pattern
};

// `quarters` are the areas under the signal in the four quarters of a
// cell; `sign` is +1 when cells begin with a rising crossing and -1 when
// they begin with a falling one.
CellShape ShapeOfCell(const std::array<double, 4>& quarters, double sign);

}  // namespace orvano::decode
