#pragma once

#include <final/final.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/fixed_window.h"
#include "app/text_wrap.h"
#include "common/reporter.h"

namespace orvano::app {

// Lines of text, each wrapped at the view's width, scrolled by the keys
// (Up, Down, PgUp, PgDn, Home, End) and the mouse wheel; the window's
// vertical scroll bar shows where.
class TextView final : public finalcut::FWidget {
 public:
  TextView(finalcut::FWidget* parent, finalcut::FScrollbar* scroll_bar);

  void SetLines(std::vector<std::wstring> lines);
  bool ScrollByKey(finalcut::FKey key);

 protected:
  void onKeyPress(finalcut::FKeyEvent* ev) override;
  void onWheel(finalcut::FWheelEvent* ev) override;

 private:
  struct Row {
    std::size_t line;
    RowSpan span;
  };

  void draw() override;
  void LayOut();
  void ScrollTo(int top);
  void OnScrollBar();
  int Height() const { return static_cast<int>(getHeight()); }
  int LastTop() const { return std::max(0, static_cast<int>(rows_.size()) - Height()); }

  finalcut::FScrollbar* scroll_bar_;
  std::vector<std::wstring> lines_;
  std::vector<Row> rows_;
  finalcut::FSize laid_out_{0, 0};
};

// A modal window that shows lines of text: the help, a viewed file, a
// results table. Lines in `header` stay on top while the rest scrolls. Esc
// or the close icon closes it.
class TextWindow final : public FixedWindow {
 public:
  enum class Size {
    Desktop,  // as large as the desktop, as the log window
    Content,  // as small as the lines allow, centred
  };

  // The title is the user's text (user_text.h): it may name a file.
  TextWindow(finalcut::FWidget* desktop, std::string_view title, std::vector<std::wstring> header,
             std::vector<std::wstring> lines, Size size);

  void Run();

 protected:
  void CloseIconClicked() override { done(ResultCode::Reject); }
  void onKeyPress(finalcut::FKeyEvent* ev) override;
  void adjustSize() override;

 private:
  class Header;

  // Sizes and places the window and its parts for the desktop as it is now.
  void Place();

  Size size_;
  std::size_t header_rows_;
  std::size_t content_width_;
  std::size_t content_height_;
  // Owned by the window, as its children.
  finalcut::FScrollbar* scroll_bar_;
  Header* header_;
  TextView* view_;
};

// Shows a results table in a window as small as it allows, its headings on
// top, until the user closes it.
void ShowTable(finalcut::FWidget* desktop, const ResultTable& table);

}  // namespace orvano::app
