#pragma once

namespace orvano::app {

// Filled cells of a bar `width` cells wide at `value` out of `total`,
// rounded to the nearest cell with an exact half going to the even one.
// Values outside 0..total are clamped.
int FilledCells(int value, int width, int total);

// The state of a progress bar: it asks for a redraw only when the number of
// filled cells changes, however often the value is set.
class ProgressCells {
 public:
  static constexpr int kTotal = 100;

  explicit ProgressCells(int width) : width_(width) {}

  // True when the bar must be drawn again.
  bool SetCurrent(int value);

  int Current() const { return current_; }
  int Shown() const { return shown_; }
  int Width() const { return width_; }

 private:
  int width_;
  int current_ = 0;
  int shown_ = 0;
};

}  // namespace orvano::app
