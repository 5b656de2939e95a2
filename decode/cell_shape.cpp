#include "decode/cell_shape.h"

#include <algorithm>

namespace orvano::decode {

CellShape ShapeOfCell(const std::array<double, 4>& quarters, double sign) {
  const auto [a, b, c, d] = quarters;
  const double zero = sign * (a + b - c - d);
  const double one = sign * (a - b + c - d);
  const double skew = a - b - c + d;
  const double energy = zero * zero + one * one + skew * skew;
  CellShape shape;
  shape.bit = one > zero ? 1 : 0;
  const double best = std::max(zero, one);
  if (best > 0 && energy > 0) shape.fit = best * best / energy;
  return shape;
}

}  // namespace orvano::decode
