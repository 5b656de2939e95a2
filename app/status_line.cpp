#include "app/status_line.h"

#include <string>

#include "app/menu_text.h"

namespace orvano::app {

StatusLine::StatusLine(finalcut::FWidget* parent, std::vector<StatusItem> items, std::function<void(Command)> issue)
    : finalcut::FWidget(parent), items_(std::move(items)), issue_(std::move(issue)) {
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
  finalcut::FWidget::adjustSize();
  Place();
}

void StatusLine::draw() {
  const auto& theme = getColorTheme();
  setColor(theme->statusbar_fg, theme->statusbar_bg);
  print() << finalcut::FPoint{1, 1} << finalcut::FString{getWidth(), L' '};
  print() << finalcut::FPoint{1, 1};
  // Each item is a blank, its text and a blank, as wide as the line allows.
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
}

void StatusLine::onMouseUp(finalcut::FMouseEvent* ev) {
  if (ev->getButton() != finalcut::MouseButton::Left) return;
  int column = 1;
  for (const StatusItem& item : items_) {
    const int width = static_cast<int>(VisibleText(item.text).size()) + 2;
    if (ev->getPos().getX() >= column && ev->getPos().getX() < column + width) {
      issue_(item.command);
      return;
    }
    column += width;
  }
}

}  // namespace orvano::app
