#pragma once

#include <final/final.h>

#include <functional>
#include <string_view>
#include <vector>

#include "app/fixed_window.h"
#include "app/log_store.h"
#include "app/markup.h"

namespace orvano::app {

// The lines of a log and their drawing; the window's vertical scroll bar
// tells it which line is in the bottom row.
class LogView final : public finalcut::FWidget {
 public:
  LogView(finalcut::FWidget* parent, finalcut::FScrollbar* scroll_bar);

  void AddLine(std::string_view text);
  const LogStore& Store() const { return store_; }
  int TopLine() const { return top_line_; }

  // Moves the scroll bar as the scroll-bar keys do: up, down, page up and
  // down, home and end. False for any other key.
  bool ScrollByKey(finalcut::FKey key);

 protected:
  void onKeyPress(finalcut::FKeyEvent* ev) override;
  void onWheel(finalcut::FWheelEvent* ev) override;

 private:
  void draw() override;
  void ScrollTo(int value);
  void OnScrollBar();
  int Height() const { return static_cast<int>(getHeight()); }

  LogStore store_;
  finalcut::FScrollbar* scroll_bar_;
  std::vector<Cell> row_;
  std::uint8_t cur_color_ = kLogColor;
  int top_line_ = 1;
};

// The window of the current source file: it covers the desktop, carries a
// close icon only, and keeps the last 200 log lines.
class LogWindow final : public FixedWindow {
 public:
  // `on_close` runs when the user closes the window, by whatever path.
  LogWindow(finalcut::FWidget* desktop, std::string_view file_name, std::function<void()> on_close);

  void AddLine(std::string_view text) { view_->AddLine(text); }
  const LogView& View() const { return *view_; }

  // For a window that the program itself replaces: closing it is then no
  // news for anyone.
  void ForgetCloseHandler() { on_close_ = nullptr; }

  void Show();

 protected:
  void onKeyPress(finalcut::FKeyEvent* ev) override;
  void onClose(finalcut::FCloseEvent* ev) override;
  void adjustSize() override;

 private:
  void FitDesktop();

  // Both are owned by the window, as its children.
  finalcut::FScrollbar* scroll_bar_;
  LogView* view_;
  std::function<void()> on_close_;
};

}  // namespace orvano::app
