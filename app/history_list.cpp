#include "app/history_list.h"

#include <algorithm>

namespace orvano::app {

void HistoryList::Add(std::string_view text) {
  if (text.empty()) return;
  std::erase(items_, text);
  items_.insert(items_.begin(), std::string(text));
  if (items_.size() > kCapacity) items_.resize(kCapacity);
}

}  // namespace orvano::app
