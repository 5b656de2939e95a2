#include "app/status_line.h"

#include "app/cp866.h"
#include "app/oem_text.h"

namespace orvano::app {
namespace {

constexpr std::uint8_t kBar = 0xB3;  // a single vertical line

}  // namespace

StatusLine::StatusLine(finalcut::FWidget* parent, std::vector<StatusItem> items, std::function<void(Command)> issue)
    : finalcut::FWindow(parent), items_(std::move(items)), issue_(std::move(issue)) {
  unsetFocusable();
  Place();
}

void StatusLine::Place() {
  // The parent starts below the menu bar once the bar is there, so the last
  // row of the terminal is worked out from the parent's own position.
  const int last_row = static_cast<int>(getDesktopHeight()) - getParentWidget()->getTermY() + 1;
  setGeometry(finalcut::FPoint{1, last_row}, finalcut::FSize{getDesktopWidth(), 1}, false);
}

void StatusLine::adjustSize() {
  finalcut::FWindow::adjustSize();
  Place();
}

void StatusLine::SetHint(std::string_view hint) {
  if (hint == hint_) return;
  hint_ = hint;
  redraw();
}

void StatusLine::draw() {
  const auto& theme = getColorTheme();
  setColor(theme->statusbar_fg, theme->statusbar_bg);
  print() << finalcut::FPoint{1, 1} << finalcut::FString{getWidth(), L' '};
  print() << finalcut::FPoint{1, 1};
  // Each item is a blank, its text and a blank.
  for (const StatusItem& item : items_) {
    setColor(theme->statusbar_fg, theme->statusbar_bg);
    print() << L' ';
    bool hot = false;
    for (const char c : item.text) {
      if (c == '~') {
        hot = !hot;
        setColor(hot ? theme->statusbar_hotkey_fg : theme->statusbar_fg,
                 hot ? theme->statusbar_hotkey_bg : theme->statusbar_bg);
        continue;
      }
      print() << static_cast<wchar_t>(c);
    }
    setColor(theme->statusbar_fg, theme->statusbar_bg);
    print() << L' ';
  }
  const int column = HintColumn(items_);
  const int width = static_cast<int>(getWidth());
  if (hint_.empty() || column > width) return;
  print() << finalcut::FPoint{column - 2, 1} << static_cast<wchar_t>(Cp866ToUnicode(kBar));
  const std::string shown = FitHint(hint_, static_cast<std::size_t>(width - column + 1));
  print() << finalcut::FPoint{column, 1} << finalcut::FString{WideText(shown)};
}

void StatusLine::onMouseDown(finalcut::FMouseEvent* ev) {
  pressed_.reset();
  if (ev->getButton() == finalcut::MouseButton::Left) pressed_ = CommandAt(items_, ev->getPos().getX());
}

void StatusLine::onMouseUp(finalcut::FMouseEvent* ev) {
  // An item runs when the button is let go over the item it was pressed on.
  const auto pressed = std::exchange(pressed_, std::nullopt);
  if (ev->getButton() != finalcut::MouseButton::Left || !pressed) return;
  if (CommandAt(items_, ev->getPos().getX()) == pressed) issue_(*pressed);
}

}  // namespace orvano::app
