#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/log_store.h"
#include "app/markup.h"
#include "app/text_wrap.h"

namespace orvano::app {

// A screen row of the log: a part of one of its lines.
struct LogRow {
  int line = 0;  // the line's number in the store
  RowSpan span;  // which of the line's cells, and how far in

  bool operator==(const LogRow&) const = default;
};

// Rows after the first of a long line start under the text, past the
// bullet and its blank.
inline constexpr std::size_t kLogIndent = 2;

// Every row of the log at this width, oldest first: each line wrapped,
// so that a long path is shown whole.
std::vector<LogRow> LayOutLog(const LogStore& store, std::size_t width);

// The characters of a log line's cells, as the wrapping sees them.
std::wstring CellText(const std::vector<Cell>& cells);

}  // namespace orvano::app
