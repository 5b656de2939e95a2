#include "app/log_window.h"

#include <algorithm>
#include <string>

#include "app/cp866.h"
#include "app/oem_text.h"

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

void LogView::AddLine(std::string_view text) {
  if (const auto range = store_.AddLine(text)) {
    scroll_bar_->setRange(range->minimum, range->maximum);
    scroll_bar_->setPageSize(range->maximum, Height());
    scroll_bar_->setValue(range->value);
    scroll_bar_->redraw();
  }
  redraw();
}

void LogView::ScrollTo(int value) {
  const int last = std::max(1, store_.Count());
  value = std::clamp(value, std::min(1, store_.Count()), last);
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
      ScrollTo(store_.Count());
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
  const int height = Height();
  const std::size_t width = getWidth();
  row_.resize(width);
  top_line_ = app::TopLine(scroll_bar_->getValue(), height);
  std::wstring run;
  for (int y = 0; y < height; ++y) {
    const int number = top_line_ + y;
    if (number <= store_.Count()) {
      RenderMarkup(store_.Line(number), cur_color_, row_);
    } else {
      std::fill(row_.begin(), row_.end(), Cell{' ', cur_color_});
    }
    // One print per run of equal colour.
    std::size_t x = 0;
    while (x < width) {
      const std::uint8_t attr = row_[x].attr;
      run.clear();
      std::size_t end = x;
      while (end < width && row_[end].attr == attr) {
        run += static_cast<wchar_t>(Cp866ToUnicode(row_[end].ch));
        ++end;
      }
      setColor(Foreground(attr), Background(attr));
      print() << finalcut::FPoint{static_cast<int>(x) + 1, y + 1} << finalcut::FString{run};
      x = end;
    }
  }
}

LogWindow::LogWindow(finalcut::FWidget* desktop, std::string_view file_name, std::function<void()> on_close)
    : FixedWindow(desktop),
      scroll_bar_(new finalcut::FScrollbar(finalcut::Orientation::Vertical, this)),
      view_(new LogView(this, scroll_bar_)),
      on_close_(std::move(on_close)) {
  setText(finalcut::FString{WideText("Reading file " + std::string(file_name))});
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
