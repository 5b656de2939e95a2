#include "app/choice_row.h"

namespace orvano::app {
namespace {

constexpr int kButton = 4;  // "(*) "
constexpr int kGap = 2;

int ButtonWidth(std::string_view label) { return kButton + static_cast<int>(label.size()); }

}  // namespace

int ChoiceColumn(std::span<const std::string_view> labels, std::size_t index) {
  int column = 1;
  for (std::size_t i = 0; i < index && i < labels.size(); ++i) column += ButtonWidth(labels[i]) + kGap;
  return column;
}

std::optional<std::size_t> ChoiceAt(std::span<const std::string_view> labels, int column) {
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const int start = ChoiceColumn(labels, i);
    if (column >= start && column < start + ButtonWidth(labels[i])) return i;
  }
  return std::nullopt;
}

int ChoiceRowWidth(std::span<const std::string_view> labels) {
  if (labels.empty()) return 0;
  return ChoiceColumn(labels, labels.size() - 1) + ButtonWidth(labels.back()) - 1;
}

std::size_t StepChoice(std::size_t index, int step, std::size_t count) {
  if (count == 0) return 0;
  if (step < 0) return index == 0 ? 0 : index - 1;
  if (step > 0) return index + 1 >= count ? count - 1 : index + 1;
  return index;
}

}  // namespace orvano::app
