#pragma once

#include <final/final.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/fixed_window.h"
#include "app/log_rows.h"
#include "app/log_store.h"
#include "app/markup.h"

namespace orvano::app {

// The lines of a log and their drawing, each wrapped at the view's width so
// that a long path shows whole; the window's vertical scroll bar tells it
// which row is at the bottom.
class LogView final : public finalcut::FWidget {
 public:
  LogView(finalcut::FWidget* parent, finalcut::FScrollbar* scroll_bar);

  void AddLine(std::string_view text);
  const LogStore& Store() const { return store_; }

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
  // Wraps the lines again when the width changed, keeping the bottom row in
  // view, and sets the scroll bar's range and page for the rows and height.
  void LayOut();
  int Height() const { return static_cast<int>(getHeight()); }
  int RowCount() const { return static_cast<int>(rows_.size()); }

  LogStore store_;
  finalcut::FScrollbar* scroll_bar_;
  std::vector<LogRow> rows_;
  finalcut::FSize laid_out_{0, 0};
};

// The window of the current source file: it covers the desktop, carries a
// close icon only, and keeps the last 200 log lines.
class LogWindow final : public FixedWindow {
 public:
  // `on_close` runs when the user closes the window, by whatever path. The
  // title is the user's text (user_text.h), as it names a file.
  LogWindow(finalcut::FWidget* desktop, std::string_view title, std::function<void()> on_close);

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
