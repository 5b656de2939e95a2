#include "app/markup.h"

#include <algorithm>

#include "app/user_text.h"
#include "common/number_text.h"

namespace orvano::app {
namespace {

constexpr char kBar = '|';

void Append(std::vector<Cell>& cells, std::string_view text, std::uint8_t attr) {
  for (const wchar_t c : TextFromUtf8(text)) cells.push_back(Cell{static_cast<char32_t>(c), attr});
}

}  // namespace

std::string MarkedLine(LineKind kind, std::string_view text) {
  const std::string_view prefix = kind == LineKind::Warning ? "|30|\xFE " : "|31|\xFE ";
  std::string line;
  line.reserve(prefix.size() + text.size());
  line.append(prefix);
  for (const char c : text) {
    if (c == kBar) line += kBar;
    line += c;
  }
  return line;
}

std::vector<Cell> MarkupCells(std::string_view line, std::uint8_t color) {
  std::vector<Cell> cells;
  cells.reserve(line.size());
  const std::size_t n = line.size();
  // `next` is the index where the next text run starts: just past the bar
  // that closed the previous marker. A bar is ASCII and never part of a
  // longer UTF-8 sequence, so the runs between bars decode on their own.
  std::size_t next = 0;
  while (next < n) {
    const std::size_t open = std::min(line.find(kBar, next), n);
    Append(cells, line.substr(next, open - next), color);
    if (open == n) break;
    const std::size_t close = line.find(kBar, open + 1);
    if (close == std::string_view::npos) break;
    const std::string_view content = line.substr(open + 1, close - open - 1);
    next = close + 1;
    if (content.empty()) {
      cells.push_back(Cell{U'|', color});
      continue;
    }
    if (next >= n) break;
    if (const auto value = ReadMarkerNumber(content)) color = *value;
  }
  return cells;
}

void RenderMarkup(std::string_view line, std::uint8_t color, std::span<Cell> row) {
  const std::vector<Cell> cells = MarkupCells(line, color);
  const std::size_t shown = std::min(cells.size(), row.size());
  std::copy_n(cells.begin(), shown, row.begin());
  // The blanks after the text take the colour the line started in.
  std::fill(row.begin() + static_cast<std::ptrdiff_t>(shown), row.end(), Cell{U' ', color});
}

}  // namespace orvano::app
