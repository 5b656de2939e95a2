#include "app/text_window.h"

#include <algorithm>

#include "app/table_layout.h"
#include "app/user_text.h"

namespace orvano::app {
namespace {

constexpr int kWheelLines = 3;

// The frame takes two columns, the toolkit's title bar and the frame three
// rows; one blank column parts the text from the left edge.
constexpr std::size_t kFrameWidth = 3;
constexpr std::size_t kFrameHeight = 3;

std::size_t Widest(const std::vector<std::wstring>& lines) {
  std::size_t widest = 0;
  for (const std::wstring& line : lines) widest = std::max(widest, line.size());
  return widest;
}

}  // namespace

// The lines above the scrolled text, cut at the window's width.
class TextWindow::Header final : public finalcut::FWidget {
 public:
  Header(finalcut::FWidget* parent, std::vector<std::wstring> lines) : finalcut::FWidget(parent), lines_(std::move(lines)) {
    unsetFocusable();
  }

 private:
  void draw() override {
    const auto& theme = getColorTheme();
    setColor(theme->dialog_emphasis_fg, theme->dialog_bg);
    for (std::size_t y = 0; y < lines_.size() && y < getHeight(); ++y) {
      std::wstring line = lines_[y].substr(0, getWidth());
      line.resize(getWidth(), L' ');
      print() << finalcut::FPoint{1, static_cast<int>(y) + 1} << finalcut::FString{line};
    }
  }

  std::vector<std::wstring> lines_;
};

TextView::TextView(finalcut::FWidget* parent, finalcut::FScrollbar* scroll_bar)
    : finalcut::FWidget(parent), scroll_bar_(scroll_bar) {
  setFocusable();
  scroll_bar_->setRange(0, 0);
  scroll_bar_->setValue(0);
  scroll_bar_->addCallback("change-value", [this] { OnScrollBar(); });
}

void TextView::SetLines(std::vector<std::wstring> lines) {
  lines_ = std::move(lines);
  laid_out_ = finalcut::FSize{0, 0};
  scroll_bar_->setValue(0);
  redraw();
}

void TextView::LayOut() {
  const std::size_t width = std::max<std::size_t>(getWidth(), 1);
  if (getSize() == laid_out_) return;
  laid_out_ = getSize();
  rows_.clear();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    for (const RowSpan& span : WrapRows(lines_[i], width, HangingIndent(lines_[i]))) rows_.push_back(Row{i, span});
  }
  scroll_bar_->setRange(0, LastTop());
  scroll_bar_->setPageSize(static_cast<int>(rows_.size()), Height());
  scroll_bar_->setValue(std::min(scroll_bar_->getValue(), LastTop()));
  scroll_bar_->redraw();
}

void TextView::ScrollTo(int top) {
  top = std::clamp(top, 0, LastTop());
  if (top == scroll_bar_->getValue()) return;
  scroll_bar_->setValue(top);
  scroll_bar_->redraw();
  redraw();
}

bool TextView::ScrollByKey(finalcut::FKey key) {
  LayOut();
  const int top = scroll_bar_->getValue();
  const int page = std::max(1, Height() - 1);
  switch (key) {
    case finalcut::FKey::Up:
      ScrollTo(top - 1);
      return true;
    case finalcut::FKey::Down:
      ScrollTo(top + 1);
      return true;
    case finalcut::FKey::Page_up:
      ScrollTo(top - page);
      return true;
    case finalcut::FKey::Page_down:
      ScrollTo(top + page);
      return true;
    case finalcut::FKey::Home:
      ScrollTo(0);
      return true;
    case finalcut::FKey::End:
      ScrollTo(LastTop());
      return true;
    default:
      return false;
  }
}

void TextView::onKeyPress(finalcut::FKeyEvent* ev) {
  if (ScrollByKey(ev->key())) {
    ev->accept();
    return;
  }
  finalcut::FWidget::onKeyPress(ev);
}

void TextView::onWheel(finalcut::FWheelEvent* ev) {
  const int top = scroll_bar_->getValue();
  if (ev->getWheel() == finalcut::MouseWheel::Up) ScrollTo(top - kWheelLines);
  if (ev->getWheel() == finalcut::MouseWheel::Down) ScrollTo(top + kWheelLines);
}

void TextView::OnScrollBar() {
  const int top = scroll_bar_->getValue();
  const int page = std::max(1, Height() - 1);
  switch (scroll_bar_->getScrollType()) {
    case finalcut::FScrollbar::ScrollType::StepBackward:
      ScrollTo(top - 1);
      break;
    case finalcut::FScrollbar::ScrollType::WheelUp:
      ScrollTo(top - kWheelLines);
      break;
    case finalcut::FScrollbar::ScrollType::StepForward:
      ScrollTo(top + 1);
      break;
    case finalcut::FScrollbar::ScrollType::WheelDown:
      ScrollTo(top + kWheelLines);
      break;
    case finalcut::FScrollbar::ScrollType::PageBackward:
      ScrollTo(top - page);
      break;
    case finalcut::FScrollbar::ScrollType::PageForward:
      ScrollTo(top + page);
      break;
    default:
      redraw();
      break;
  }
}

void TextView::draw() {
  LayOut();
  const auto& theme = getColorTheme();
  setColor(theme->dialog_fg, theme->dialog_bg);
  const std::size_t width = getWidth();
  const int top = scroll_bar_->getValue();
  for (int y = 0; y < Height(); ++y) {
    std::wstring text;
    const auto index = static_cast<std::size_t>(top + y);
    if (index < rows_.size()) {
      const Row& row = rows_[index];
      text = std::wstring(row.span.indent, L' ') + lines_[row.line].substr(row.span.begin, row.span.end - row.span.begin);
    }
    text.resize(width, L' ');
    print() << finalcut::FPoint{1, y + 1} << finalcut::FString{text};
  }
}

TextWindow::TextWindow(finalcut::FWidget* desktop, std::string_view title, std::vector<std::wstring> header,
                       std::vector<std::wstring> lines, Size size)
    : FixedWindow(desktop),
      size_(size),
      header_rows_(header.size()),
      content_width_(std::max({Widest(header), Widest(lines), TextFromUtf8(title).size() + 8})),
      content_height_(header.size() + lines.size()),
      scroll_bar_(new finalcut::FScrollbar(finalcut::Orientation::Vertical, this)),
      header_(new Header(this, std::move(header))),
      view_(new TextView(this, scroll_bar_)) {
  setText(finalcut::FString{TextFromUtf8(title)});
  if (header_rows_ == 0) header_->hide();
  view_->SetLines(std::move(lines));
  Place();
}

void TextWindow::Place() {
  const std::size_t desktop_width = getDesktopWidth();
  const std::size_t desktop_height = getDesktopHeight() > 2 ? getDesktopHeight() - 2 : 1;
  std::size_t width = desktop_width;
  std::size_t height = desktop_height;
  if (size_ == Size::Content) {
    width = std::min(desktop_width, content_width_ + kFrameWidth + 2);
    height = std::min(desktop_height, content_height_ + kFrameHeight);
  }
  height = std::max(height, kFrameHeight + header_rows_ + 1);
  const int x = 1 + static_cast<int>((desktop_width - std::min(width, desktop_width)) / 2);
  const int y = 1 + static_cast<int>((desktop_height - std::min(height, desktop_height)) / 2);
  setGeometry(finalcut::FPoint{x, y}, finalcut::FSize{width, height}, false);
  // The scroll bar sits on the right edge of the frame, beside the rows that scroll.
  const std::size_t bar_top = 3 + header_rows_;
  scroll_bar_->setGeometry(finalcut::FPoint{static_cast<int>(width), static_cast<int>(bar_top)},
                           finalcut::FSize{1, height > bar_top ? height - bar_top : 1}, false);
  const std::size_t client_width = getClientWidth() > 1 ? getClientWidth() - 1 : 1;
  const std::size_t client_height = getClientHeight();
  header_->setGeometry(finalcut::FPoint{2, 1}, finalcut::FSize{client_width, std::max<std::size_t>(header_rows_, 1)},
                       false);
  const std::size_t text_height = client_height > header_rows_ ? client_height - header_rows_ : 1;
  view_->setGeometry(finalcut::FPoint{2, 1 + static_cast<int>(header_rows_)}, finalcut::FSize{client_width, text_height},
                     false);
}

void TextWindow::adjustSize() {
  FixedWindow::adjustSize();
  Place();
}

void TextWindow::Run() {
  view_->setFocus();
  RunModal();
}

void TextWindow::onKeyPress(finalcut::FKeyEvent* ev) {
  if (view_->ScrollByKey(ev->key())) {
    ev->accept();
    return;
  }
  FixedWindow::onKeyPress(ev);
}

void ShowTable(finalcut::FWidget* desktop, const ResultTable& table) {
  TableText text = LayOutTable(table);
  TextWindow window(desktop, table.title, {std::move(text.heading), std::move(text.rule)}, std::move(text.rows),
                    TextWindow::Size::Content);
  window.Run();
}

}  // namespace orvano::app
