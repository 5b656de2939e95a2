#include "app/log_window.h"

#include <algorithm>
#include <string>

#include "app/user_text.h"

namespace orvano::app {
namespace {

finalcut::FColor Foreground(std::uint8_t attr) { return static_cast<finalcut::FColor>(attr & 0x0F); }
finalcut::FColor Background(std::uint8_t attr) { return static_cast<finalcut::FColor>(attr >> 4); }

}  // namespace

LogView::LogView(finalcut::FWidget* parent, finalcut::FScrollbar* scroll_bar)
    : finalcut::FWidget(parent), scroll_bar_(scroll_bar) {
  setFocusable();
  scroll_bar_->setRange(0, 0);
  scroll_bar_->setValue(0);
  scroll_bar_->addCallback("change-value", [this] { OnScrollBar(); });
}

void LogView::LayOut() {
  if (getSize() == laid_out_) return;
  const std::size_t width = std::max<std::size_t>(getWidth(), 1);
  int value = scroll_bar_->getValue();
  if (width != laid_out_.getWidth()) {
    const bool at_end = value >= RowCount();
    const LogRow bottom = value >= 1 && value <= RowCount() ? rows_[static_cast<std::size_t>(value - 1)] : LogRow{};
    rows_ = LayOutLog(store_, width);
    value = RowCount();
    if (!at_end) {
      // The row that now holds the end of the old bottom row stays at the bottom.
      const auto found = std::find_if(rows_.begin(), rows_.end(), [&](const LogRow& row) {
        return row.line == bottom.line && row.span.end >= bottom.span.end;
      });
      if (found != rows_.end()) value = static_cast<int>(found - rows_.begin()) + 1;
    }
  }
  laid_out_ = getSize();
  scroll_bar_->setRange(std::min(1, RowCount()), RowCount());
  scroll_bar_->setValue(value);
  scroll_bar_->setPageSize(RowCount(), Height());
  scroll_bar_->redraw();
}

void LogView::AddLine(std::string_view text) {
  const bool follow = store_.AddLine(text);
  const int value = scroll_bar_->getValue();
  laid_out_ = finalcut::FSize{0, 0};
  LayOut();
  scroll_bar_->setValue(follow ? RowCount() : std::min(value, RowCount()));
  scroll_bar_->redraw();
  redraw();
}

void LogView::ScrollTo(int value) {
  // The bottom row goes no higher than the last row of the first page, so
  // that every step moves the text.
  const int last = std::max(1, RowCount());
  value = std::clamp(value, std::max(1, std::min(Height(), RowCount())), last);
  if (value == scroll_bar_->getValue()) return;
  scroll_bar_->setValue(value);
  scroll_bar_->redraw();
  redraw();
}

bool LogView::ScrollByKey(finalcut::FKey key) {
  const int value = scroll_bar_->getValue();
  const int page = std::max(1, Height());
  switch (key) {
    case finalcut::FKey::Up:
      ScrollTo(value - 1);
      return true;
    case finalcut::FKey::Down:
      ScrollTo(value + 1);
      return true;
    case finalcut::FKey::Page_up:
      ScrollTo(value - page);
      return true;
    case finalcut::FKey::Page_down:
      ScrollTo(value + page);
      return true;
    case finalcut::FKey::Home:
      ScrollTo(1);
      return true;
    case finalcut::FKey::End:
      ScrollTo(RowCount());
      return true;
    default:
      return false;
  }
}

void LogView::onKeyPress(finalcut::FKeyEvent* ev) {
  if (ScrollByKey(ev->key())) {
    ev->accept();
    return;
  }
  finalcut::FWidget::onKeyPress(ev);
}

void LogView::onWheel(finalcut::FWheelEvent* ev) {
  constexpr int kWheelLines = 3;
  const int value = scroll_bar_->getValue();
  if (ev->getWheel() == finalcut::MouseWheel::Up) ScrollTo(value - kWheelLines);
  if (ev->getWheel() == finalcut::MouseWheel::Down) ScrollTo(value + kWheelLines);
}

void LogView::OnScrollBar() {
  const int value = scroll_bar_->getValue();
  const int page = std::max(1, Height());
  switch (scroll_bar_->getScrollType()) {
    case finalcut::FScrollbar::ScrollType::StepBackward:
    case finalcut::FScrollbar::ScrollType::WheelUp:
      ScrollTo(value - 1);
      break;
    case finalcut::FScrollbar::ScrollType::StepForward:
    case finalcut::FScrollbar::ScrollType::WheelDown:
      ScrollTo(value + 1);
      break;
    case finalcut::FScrollbar::ScrollType::PageBackward:
      ScrollTo(value - page);
      break;
    case finalcut::FScrollbar::ScrollType::PageForward:
      ScrollTo(value + page);
      break;
    default:
      // A jump: the bar has already taken the value.
      redraw();
      break;
  }
}

void LogView::draw() {
  LayOut();
  const int height = Height();
  const std::size_t width = getWidth();
  const int top = TopLine(scroll_bar_->getValue(), height);
  std::vector<Cell> cells;
  int cells_line = 0;
  std::vector<Cell> row(width);
  std::wstring run;
  for (int y = 0; y < height; ++y) {
    std::fill(row.begin(), row.end(), Cell{U' ', kLogColor});
    const int index = top + y;
    if (index <= RowCount()) {
      const LogRow& log_row = rows_[static_cast<std::size_t>(index - 1)];
      if (log_row.line != cells_line) {
        cells = MarkupCells(store_.Line(log_row.line), kLogColor);
        cells_line = log_row.line;
      }
      const std::size_t begin = std::min(log_row.span.begin, cells.size());
      const std::size_t end = std::min(log_row.span.end, cells.size());
      // The blanks of an indent take the colour of the text they lead to.
      if (begin < end) std::fill_n(row.begin(), std::min(width, log_row.span.indent), Cell{U' ', cells[begin].attr});
      for (std::size_t i = begin, x = log_row.span.indent; i < end && x < width; ++i, ++x) row[x] = cells[i];
    }
    // One print per run of equal colour.
    std::size_t x = 0;
    while (x < width) {
      const std::uint8_t attr = row[x].attr;
      run.clear();
      std::size_t stop = x;
      while (stop < width && row[stop].attr == attr) run += static_cast<wchar_t>(row[stop++].ch);
      setColor(Foreground(attr), Background(attr));
      print() << finalcut::FPoint{static_cast<int>(x) + 1, y + 1} << finalcut::FString{run};
      x = stop;
    }
  }
}

LogWindow::LogWindow(finalcut::FWidget* desktop, std::string_view title, std::function<void()> on_close)
    : FixedWindow(desktop),
      scroll_bar_(new finalcut::FScrollbar(finalcut::Orientation::Vertical, this)),
      view_(new LogView(this, scroll_bar_)),
      on_close_(std::move(on_close)) {
  setText(finalcut::FString{TextFromUtf8(title)});
  FitDesktop();
}

void LogWindow::FitDesktop() {
  const std::size_t width = getDesktopWidth();
  const std::size_t height = getDesktopHeight() > 2 ? getDesktopHeight() - 2 : 1;
  // Window positions start below the menu bar.
  setGeometry(finalcut::FPoint{1, 1}, finalcut::FSize{width, height}, false);
  // The scroll bar sits on the right edge of the frame, between the corners.
  scroll_bar_->setGeometry(finalcut::FPoint{static_cast<int>(width), 3},
                           finalcut::FSize{1, height > 3 ? height - 3 : 1}, false);
  // One blank column between the left frame and the text.
  const std::size_t client_width = getClientWidth();
  const std::size_t client_height = getClientHeight();
  view_->setGeometry(finalcut::FPoint{2, 1},
                     finalcut::FSize{client_width > 1 ? client_width - 1 : 1, client_height > 0 ? client_height : 1},
                     false);
}

void LogWindow::adjustSize() {
  FixedWindow::adjustSize();
  FitDesktop();
}

void LogWindow::Show() {
  show();
  Activate();
  view_->setFocus();
}

void LogWindow::onKeyPress(finalcut::FKeyEvent* ev) {
  // Esc closes a plain dialog; the log stays until the user closes it.
  if (ev->key() == finalcut::FKey::Escape) {
    ev->accept();
    return;
  }
  if (view_->ScrollByKey(ev->key())) {
    ev->accept();
    return;
  }
  FixedWindow::onKeyPress(ev);
}

void LogWindow::onClose(finalcut::FCloseEvent* ev) {
  FixedWindow::onClose(ev);
  if (ev->isAccepted() && on_close_) {
    auto notify = std::move(on_close_);
    on_close_ = nullptr;
    notify();
  }
}

}  // namespace orvano::app
