#include "app/text_wrap.h"

#include <algorithm>

namespace orvano::app {

std::vector<RowSpan> WrapRows(std::wstring_view line, std::size_t width, std::size_t indent) {
  width = std::max<std::size_t>(width, 1);
  // A window narrower than the indent gets no indent rather than no room.
  if (indent >= width) indent = 0;
  std::vector<RowSpan> rows;
  std::size_t begin = 0;
  std::size_t row_indent = 0;
  do {
    const std::size_t room = width - row_indent;
    std::size_t end = std::min(line.size(), begin + room);
    std::size_t next = end;
    if (end < line.size()) {
      const std::size_t blank = line.substr(0, end + 1).rfind(L' ');
      if (blank != std::wstring_view::npos && blank >= begin + room / 2) {
        end = blank;
        next = blank;
        while (end > begin && line[end - 1] == L' ') --end;
      }
      while (next < line.size() && line[next] == L' ') ++next;
    }
    rows.push_back(RowSpan{begin, end, row_indent});
    begin = next;
    row_indent = indent;
  } while (begin < line.size());
  return rows;
}

std::size_t HangingIndent(std::wstring_view line) {
  // Plain loops: the C library's wide-string search reads past the end of
  // short strings, which memcheck reports.
  std::size_t at = 0;
  while (at < line.size() && line[at] == L' ') ++at;
  const std::size_t first = at;
  while (at + 1 < line.size() && !(line[at] == L' ' && line[at + 1] == L' ')) ++at;
  if (at + 1 >= line.size()) return first;
  while (at < line.size() && line[at] == L' ') ++at;
  return at;
}

}  // namespace orvano::app
