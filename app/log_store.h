#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace orvano::app {

// The last 200 lines of a log, oldest first, numbered from 1.
class LogStore {
 public:
  static constexpr int kCapacity = 200;
  // Far more than any path the log names; the view wraps what is wider than
  // the window.
  static constexpr std::size_t kLineLength = 1024;

  // Appends the text, cut to kLineLength bytes but never inside a UTF-8
  // character; a full store drops its oldest line. True while the store is
  // filling: the view then follows the new line, so a view the user
  // scrolled back jumps to the end. Once the store is full the view stays
  // where it is and the lines move up under it.
  bool AddLine(std::string_view text);

  int Count() const { return count_; }
  // Line 1 to Count(); empty for any other number.
  std::string_view Line(int number) const;

 private:
  std::array<std::string, kCapacity> lines_;
  int first_ = 0;  // index of line 1 in lines_
  int count_ = 0;
};

// The number of the row drawn at the top of a view, when the scroll bar's
// value is the number of the row at its bottom.
int TopLine(int scroll_value, int height);

}  // namespace orvano::app
