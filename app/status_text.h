#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/command_set.h"

namespace orvano::app {

struct StatusItem {
  std::string_view text;  // "~x~" marks the highlighted part
  Command command;
};

// The bottom line of the screen: each item is a blank, its text and a
// blank (" F1 Help  F2 New "), and the hint of the highlighted menu item
// follows after a bar. Columns count from 1.

// The item under the column, if any.
std::optional<Command> CommandAt(std::span<const StatusItem> items, int column);

// The column where the hint starts: past the items, the bar and a blank.
int HintColumn(std::span<const StatusItem> items);

// The hint as it fits into `room` cells: whole, or cut with "..." at the end.
std::string FitHint(std::string_view hint, std::size_t room);

}  // namespace orvano::app
