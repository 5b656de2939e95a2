#pragma once

#include <final/final.h>

#include <string_view>

#include "app/fixed_window.h"
#include "app/progress_cells.h"

namespace orvano::app {

// A bar 36 cells wide that fills from 0 to 100 percent and writes the
// screen only when the number of filled cells changes.
class ProgressBar final : public finalcut::FWidget {
 public:
  static constexpr int kWidth = 36;

  explicit ProgressBar(finalcut::FWidget* parent);

  // 0 to 100; other values are clamped. Redraws at once, also from inside a
  // command that blocks the event loop.
  void SetCurrent(int value);
  int Shown() const { return cells_.Shown(); }

 private:
  void draw() override;

  ProgressCells cells_{kWidth};
};

// The window an operation shows while it reads its input. It is modeless;
// its Cancel button cannot stop an operation, which reads no events.
class ProgressWindow final : public FixedWindow {
 public:
  ProgressWindow(finalcut::FWidget* desktop, std::string_view title);

  // Replaces the caption with the text, centred, and redraws it at once.
  void SetText(std::string_view text);
  ProgressBar& Bar() { return bar_; }

  void Show();

 protected:
  void onKeyPress(finalcut::FKeyEvent* ev) override;
  void CloseIconClicked() override {}

 private:
  finalcut::FLabel caption_{this};
  ProgressBar bar_{this};
  finalcut::FButton cancel_{this};
};

}  // namespace orvano::app
