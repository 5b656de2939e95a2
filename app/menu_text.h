#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvano::app {

// A menu item as the menus are written down: "~x~" marks the hot letter and
// the hint is the key shown at the right ("F3", "Alt-X"), or empty.
struct MenuEntry {
  std::string_view text;
  std::string_view hint;
};

// The toolkit marks a hot letter with "&": "E~x~it" becomes "E&xit". A
// literal "&" is doubled so that it stays a character.
std::string ToolkitHotKey(std::string_view text);

// The text without its hot-letter marks, as it takes room on the screen.
std::string VisibleText(std::string_view text);

// The item texts of one drop-down with their hints right-aligned in a
// common column, two blanks after the widest text.
std::vector<std::string> AlignedItems(std::span<const MenuEntry> entries);

}  // namespace orvano::app
