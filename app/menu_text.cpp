#include "app/menu_text.h"

#include <algorithm>

namespace orvano::app {

std::string ToolkitHotKey(std::string_view text) {
  std::string out;
  bool open = false;
  for (const char c : text) {
    if (c == '~') {
      if (!open) out += '&';
      open = !open;
    } else if (c == '&') {
      out += "&&";
    } else {
      out += c;
    }
  }
  return out;
}

std::string VisibleText(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c != '~') out += c;
  }
  return out;
}

std::vector<std::string> AlignedItems(std::span<const MenuEntry> entries) {
  std::size_t widest = 0;
  for (const MenuEntry& entry : entries) widest = std::max(widest, VisibleText(entry.text).size());
  std::size_t hint_width = 0;
  for (const MenuEntry& entry : entries) hint_width = std::max(hint_width, entry.hint.size());
  std::vector<std::string> items;
  items.reserve(entries.size());
  for (const MenuEntry& entry : entries) {
    std::string item = ToolkitHotKey(entry.text);
    if (hint_width > 0) {
      const std::size_t gap = widest - VisibleText(entry.text).size() + 2 + hint_width - entry.hint.size();
      item.append(gap, ' ').append(entry.hint);
    }
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace orvano::app
