#include "app/markup.h"

#include "common/number_text.h"

namespace orvano::app {

std::string MarkedLine(LineKind kind, std::string_view text) {
  const std::string_view prefix = kind == LineKind::Warning ? "|30|\xFE " : "|31|\xFE ";
  std::string line;
  line.reserve(prefix.size() + text.size());
  line.append(prefix).append(text);
  return line;
}

namespace {

constexpr char kBar = '|';

class RowWriter {
 public:
  explicit RowWriter(std::span<Cell> row) : row_(row) {}

  void Write(std::string_view text, std::uint8_t attr) {
    for (const char c : text) {
      if (column_ >= row_.size()) return;
      row_[column_++] = Cell{static_cast<std::uint8_t>(c), attr};
    }
  }

 private:
  std::span<Cell> row_;
  std::size_t column_ = 0;
};

}  // namespace

void RenderMarkup(std::string_view line, std::uint8_t color, std::span<Cell> row) {
  for (Cell& cell : row) cell = Cell{' ', color};
  RowWriter writer(row);
  const std::size_t n = line.size();
  // `next` is the index where the next text run starts: just past the bar
  // that closed the previous marker.
  std::size_t next = 0;
  while (next < n) {
    const std::size_t open = std::min(line.find(kBar, next), n);
    writer.Write(line.substr(next, open - next), color);
    if (open == n) break;
    const std::size_t close = std::min(line.find(kBar, open + 1), n);
    const std::string_view content = line.substr(open + 1, close - open - 1);
    next = close + 1;
    // A marker closed by the last character, or never closed, colours
    // nothing and shows nothing.
    if (close + 1 >= n) break;
    if (content.empty()) {
      writer.Write(line.substr(open, 1), color);
    } else if (const auto value = ReadMarkerNumber(content)) {
      color = *value;
    }
  }
}

}  // namespace orvano::app
