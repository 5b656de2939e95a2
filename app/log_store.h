#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvano::app {

// Where the scroll bar of a log view must go after a line was added.
struct ScrollRange {
  int value = 0;
  int minimum = 0;
  int maximum = 0;

  bool operator==(const ScrollRange&) const = default;
};

// The last 200 lines of a log, oldest first, numbered from 1.
class LogStore {
 public:
  static constexpr int kCapacity = 200;
  static constexpr std::size_t kLineLength = 142;

  // Appends the text, cut to 142 bytes; a full store drops its oldest line.
  // While the store is filling, the scroll bar follows the new line, so a
  // view the user scrolled back jumps to the end; once it is full the scroll
  // bar is left alone and the lines move up under it.
  std::optional<ScrollRange> AddLine(std::string_view text);

  int Count() const { return count_; }
  // Line 1 to Count(); empty for any other number.
  std::string_view Line(int number) const;

 private:
  std::array<std::string, kCapacity> lines_;
  int first_ = 0;  // index of line 1 in lines_
  int count_ = 0;
};

// The number of the line drawn in the top row, when the scroll bar's value
// is the number of the line in the bottom row.
int TopLine(int scroll_value, int height);

}  // namespace orvano::app
