#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace orvano::app {

// A row of choices as the Options dialog draws it: each button is "( )"
// or "(*)", a blank and its label, and two blanks part the buttons.
// Columns count from 1.

// The column where each button starts.
int ChoiceColumn(std::span<const std::string_view> labels, std::size_t index);

// The button under the column, if any; the gap after a button belongs to
// none.
std::optional<std::size_t> ChoiceAt(std::span<const std::string_view> labels, int column);

// The width of the whole row.
int ChoiceRowWidth(std::span<const std::string_view> labels);

// The choice after Left (-1) or Right (+1): it stops at either end rather
// than wrapping, as the arrow keys move along a row of buttons.
std::size_t StepChoice(std::size_t index, int step, std::size_t count);

}  // namespace orvano::app
