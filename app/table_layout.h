#pragma once

#include <string>
#include <vector>

#include "common/reporter.h"

namespace orvano::app {

// A results table as the lines of its window: the headings, a rule under
// them, and one line per row. Each column is as wide as its widest cell,
// two blanks apart; a column whose cells are all numbers (blank cells
// aside) is right-aligned, the others left-aligned. A row with fewer cells than there are headings
// leaves the rest blank, and one with more adds columns without a heading.
// The cells are the user's text (user_text.h).
struct TableText {
  std::wstring heading;
  std::wstring rule;
  std::vector<std::wstring> rows;

  bool operator==(const TableText&) const = default;
};

TableText LayOutTable(const ResultTable& table);

}  // namespace orvano::app
