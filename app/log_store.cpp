#include "app/log_store.h"

#include <algorithm>

namespace orvano::app {

std::optional<ScrollRange> LogStore::AddLine(std::string_view text) {
  text = text.substr(0, std::min(text.size(), kLineLength));
  if (count_ < kCapacity) {
    lines_[static_cast<std::size_t>((first_ + count_) % kCapacity)].assign(text);
    ++count_;
    return ScrollRange{count_, 1, count_};
  }
  lines_[static_cast<std::size_t>(first_)].assign(text);
  first_ = (first_ + 1) % kCapacity;
  return std::nullopt;
}

std::string_view LogStore::Line(int number) const {
  if (number < 1 || number > count_) return {};
  return lines_[static_cast<std::size_t>((first_ + number - 1) % kCapacity)];
}

int TopLine(int scroll_value, int height) { return std::max(1, scroll_value - height + 1); }

}  // namespace orvano::app
