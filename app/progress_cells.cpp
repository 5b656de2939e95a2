#include "app/progress_cells.h"

#include <algorithm>

namespace orvano::app {

int FilledCells(int value, int width, int total) {
  if (total <= 0 || width <= 0) return 0;
  value = std::clamp(value, 0, total);
  // Integer arithmetic gives the exact product, so a true half is seen as one.
  const long long product = static_cast<long long>(width) * value;
  long long cells = product / total;
  const long long twice_rest = 2 * (product % total);
  if (twice_rest > total || (twice_rest == total && cells % 2 == 1)) ++cells;
  return static_cast<int>(cells);
}

bool ProgressCells::SetCurrent(int value) {
  value = std::clamp(value, 0, kTotal);
  if (value == current_) return false;
  current_ = value;
  const int cells = FilledCells(current_, width_, kTotal);
  if (cells == shown_) return false;
  shown_ = cells;
  return true;
}

}  // namespace orvano::app
