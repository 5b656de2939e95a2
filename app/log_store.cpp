#include "app/log_store.h"

#include <algorithm>

namespace orvano::app {
namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length of the sequence a UTF-8 lead byte starts; 1 for any other byte.
std::size_t SequenceLength(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 0xF0) return 4;
  if (byte >= 0xE0) return 3;
  if (byte >= 0xC0) return 2;
  return 1;
}

std::string_view Cut(std::string_view text) {
  constexpr std::size_t kCut = LogStore::kLineLength;
  if (text.size() <= kCut) return text;
  // A character starts at most three bytes before the cut; when it goes on
  // past the cut, the cut moves to its start. Stray continuation bytes are
  // no character and are cut anywhere.
  std::size_t lead = kCut;
  while (lead > 0 && kCut - lead < 3 && IsContinuationByte(text[lead])) --lead;
  const bool splits = lead < kCut && lead + SequenceLength(text[lead]) > kCut;
  return text.substr(0, splits ? lead : kCut);
}

}  // namespace

bool LogStore::AddLine(std::string_view text) {
  text = Cut(text);
  if (count_ < kCapacity) {
    lines_[static_cast<std::size_t>((first_ + count_) % kCapacity)].assign(text);
    ++count_;
    return true;
  }
  lines_[static_cast<std::size_t>(first_)].assign(text);
  first_ = (first_ + 1) % kCapacity;
  return false;
}

std::string_view LogStore::Line(int number) const {
  if (number < 1 || number > count_) return {};
  return lines_[static_cast<std::size_t>((first_ + number - 1) % kCapacity)];
}

int TopLine(int scroll_value, int height) { return std::max(1, scroll_value - height + 1); }

}  // namespace orvano::app
