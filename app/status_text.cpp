#include "app/status_text.h"

#include "app/menu_text.h"

namespace orvano::app {
namespace {

int ItemWidth(const StatusItem& item) { return static_cast<int>(VisibleText(item.text).size()) + 2; }

}  // namespace

std::optional<Command> CommandAt(std::span<const StatusItem> items, int column) {
  int start = 1;
  for (const StatusItem& item : items) {
    const int width = ItemWidth(item);
    if (column >= start && column < start + width) return item.command;
    start += width;
  }
  return std::nullopt;
}

int HintColumn(std::span<const StatusItem> items) {
  int column = 1;
  for (const StatusItem& item : items) column += ItemWidth(item);
  return column + 2;
}

std::string FitHint(std::string_view hint, std::size_t room) {
  if (hint.size() <= room) return std::string(hint);
  constexpr std::string_view kEllipsis = "...";
  if (room <= kEllipsis.size()) return std::string(hint.substr(0, room));
  return std::string(hint.substr(0, room - kEllipsis.size())) + std::string(kEllipsis);
}

}  // namespace orvano::app
