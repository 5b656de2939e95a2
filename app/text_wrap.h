#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace orvano::app {

// One screen row of a wrapped line: the characters [begin, end) of the
// line, drawn after `indent` blanks.
struct RowSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t indent = 0;

  bool operator==(const RowSpan&) const = default;
};

// Splits a line into rows of at most `width` cells, so that nothing of it is
// cut off. Rows after the first start `indent` cells in, under the text of a
// log line rather than under its bullet. A row ends after its last blank
// when that blank lies in the row's second half, so that words stay whole;
// otherwise (a long path) it is cut where the room ends. The blanks at a
// break are left out of the next row. An empty line is one empty row.
std::vector<RowSpan> WrapRows(std::wstring_view line, std::size_t width, std::size_t indent);

// Where the rows after the first of a line of text start: under the text
// after its first gap of two blanks or more, as in "  F1   what it does",
// or else under its first character, so that an indented paragraph stays
// one.
std::size_t HangingIndent(std::wstring_view line);

}  // namespace orvano::app
