#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/reporter.h"

namespace orvano::app {

// One screen cell: an OEM byte and a PC text attribute (high nibble
// background, low nibble foreground).
struct Cell {
  std::uint8_t ch = ' ';
  std::uint8_t attr = 0;

  bool operator==(const Cell&) const = default;
};

// The colour every log line starts in: light grey on blue.
inline constexpr std::uint8_t kLogColor = 0x17;

// Draws one log line into `row`: blanks in `color` first, then the text,
// where a marker such as "|31|" switches the colour of what follows on this
// line only. "||" shows one bar; a marker that is no number is dropped with
// its text, and so is one that is never closed or closed by the last
// character. Text beyond the row is cut.
void RenderMarkup(std::string_view line, std::uint8_t color, std::span<Cell> row);

// A line of an operation as the log shows it: a colour marker, the bullet
// 0xFE (a small filled square in the console code page) and a blank before
// the text. Messages are bright white on blue ("|31|"), warnings yellow on
// blue ("|30|").
std::string MarkedLine(LineKind kind, std::string_view text);

}  // namespace orvano::app
