#include "app/wildcard.h"

namespace orvano::app {
namespace {

char Folded(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Iterative match with one back-track point: the last "*" seen.
bool Matches(std::string_view mask, std::string_view name) {
  std::size_t m = 0;
  std::size_t n = 0;
  std::size_t star = std::string_view::npos;
  std::size_t star_name = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || (mask[m] != '*' && Folded(mask[m]) == Folded(name[n])))) {
      ++m;
      ++n;
    } else if (m < mask.size() && mask[m] == '*') {
      star = m++;
      star_name = n;
    } else if (star != std::string_view::npos) {
      m = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace

bool MatchesWildcard(std::string_view masks, std::string_view name) {
  for (;;) {
    const std::size_t end = masks.find(';');
    const std::string_view mask = masks.substr(0, end);
    if (Matches(mask, name)) return true;
    if (mask.ends_with(".*") && name.find('.') == std::string_view::npos &&
        Matches(mask.substr(0, mask.size() - 2), name)) {
      return true;
    }
    if (end == std::string_view::npos) return false;
    masks.remove_prefix(end + 1);
  }
}

}  // namespace orvano::app
