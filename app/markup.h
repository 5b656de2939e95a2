#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/reporter.h"

namespace orvano::app {

// One screen cell: a character and a PC text attribute (high nibble
// background, low nibble foreground).
struct Cell {
  char32_t ch = U' ';
  std::uint8_t attr = 0;

  bool operator==(const Cell&) const = default;
};

// The colour every log line starts in: light grey on blue.
inline constexpr std::uint8_t kLogColor = 0x17;

// The cells of one log line, as long as its text. A marker such as "|31|"
// switches the colour of what follows on this line only; "||" shows one
// bar. A marker that is no number is dropped with its text, and so is one
// that is never closed; one closed by the last character colours nothing.
// The text between the markers is the user's text (user_text.h): UTF-8,
// and code page 866 for any byte that is not.
std::vector<Cell> MarkupCells(std::string_view line, std::uint8_t color);

// The same line drawn into `row`: its cells, then blanks in `color` up to
// the end of the row. Text beyond the row is cut.
void RenderMarkup(std::string_view line, std::uint8_t color, std::span<Cell> row);

// A line of an operation as the log shows it: a colour marker, the bullet
// 0xFE (a small filled square in the console code page) and a blank before
// the text, whose bars are doubled so that they stay text. Messages are
// bright white on blue ("|31|"), warnings yellow on blue ("|30|").
std::string MarkedLine(LineKind kind, std::string_view text);

}  // namespace orvano::app
