// Any bytes as a log line for the markup renderer: it must stay within the
// row, fill every cell, and show no more characters than the line has. And
// any bytes as the text of an operation's line: the marked line must show
// all of it after the bullet, whatever bars it holds.
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/markup.h"
#include "app/user_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::size_t width = data[0];
  const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
  std::vector<orvano::app::Cell> row(width, orvano::app::Cell{0, 0});
  orvano::app::RenderMarkup(line, orvano::app::kLogColor, row);
  for (const auto& cell : row) {
    if (cell.attr == 0 && cell.ch == 0 && line.find('\0') == std::string_view::npos) std::abort();
  }
  const auto kind = (data[0] & 1) != 0 ? orvano::LineKind::Warning : orvano::LineKind::Message;
  const auto cells = orvano::app::MarkupCells(orvano::app::MarkedLine(kind, line), orvano::app::kLogColor);
  const std::wstring text = orvano::app::TextFromUtf8(line);
  if (cells.size() != text.size() + 2) std::abort();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (cells[i + 2].ch != static_cast<char32_t>(text[i])) std::abort();
  }
  return 0;
}
