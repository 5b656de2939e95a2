// Any bytes as a log line for the markup renderer: it must stay within the
// row, fill every cell, and show no more characters than the line has.
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/markup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::size_t width = data[0];
  const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
  std::vector<orvano::app::Cell> row(width, orvano::app::Cell{0, 0});
  orvano::app::RenderMarkup(line, orvano::app::kLogColor, row);
  for (const auto& cell : row) {
    if (cell.attr == 0 && cell.ch == 0 && line.find('\0') == std::string_view::npos) std::abort();
  }
  return 0;
}
