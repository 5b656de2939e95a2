#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvano::app {

// The names a file dialog was closed with, newest first. Open and New share
// one list, so a file made with New can be opened again in two keys.
class HistoryList {
 public:
  static constexpr std::size_t kCapacity = 16;

  // Puts the text in front; an older equal entry goes, and so does the
  // oldest once the list is full. An empty text is not kept.
  void Add(std::string_view text);

  const std::vector<std::string>& Items() const { return items_; }

 private:
  std::vector<std::string> items_;
};

}  // namespace orvano::app
