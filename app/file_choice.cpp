#include "app/file_choice.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/wildcard.h"

namespace orvano::app {
namespace fs = std::filesystem;
namespace {

std::string WithoutSlash(const fs::path& path) {
  std::string text = path.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares the digit runs at the fronts of a and b by value and consumes
// them: a longer run without its leading zeros is the larger number.
int CompareNumbers(std::string_view& a, std::string_view& b) {
  const auto take = [](std::string_view& s) {
    std::size_t end = 0;
    while (end < s.size() && IsDigit(s[end])) ++end;
    std::string_view run = s.substr(0, end);
    s.remove_prefix(end);
    const std::size_t first = std::min(run.find_first_not_of('0'), run.size());
    return run.substr(first);
  };
  const std::string_view x = take(a);
  const std::string_view y = take(b);
  if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
  return x.compare(y);
}

}  // namespace

std::vector<DirectoryEntry> ListEntries(const std::string& directory, std::string_view mask) {
  std::vector<DirectoryEntry> directories;
  std::vector<DirectoryEntry> files;
  std::error_code error;
  for (fs::directory_iterator it(directory, fs::directory_options::skip_permission_denied, error), end;
       !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code type_error;
    if (it->is_directory(type_error)) {
      directories.push_back({name, true});
    } else if (MatchesWildcard(mask, name)) {
      files.push_back({name, false});
    }
  }
  const auto by_name = [](const DirectoryEntry& a, const DirectoryEntry& b) { return ReadingOrder(a.name, b.name); };
  std::sort(directories.begin(), directories.end(), by_name);
  std::sort(files.begin(), files.end(), by_name);
  std::vector<DirectoryEntry> entries;
  if (fs::path(directory).lexically_normal() != fs::path("/")) entries.push_back({"..", true});
  entries.insert(entries.end(), directories.begin(), directories.end());
  entries.insert(entries.end(), files.begin(), files.end());
  return entries;
}

TypedChoice ResolveTyped(const std::string& directory, std::string_view typed) {
  while (!typed.empty() && typed.front() == ' ') typed.remove_prefix(1);
  while (!typed.empty() && typed.back() == ' ') typed.remove_suffix(1);
  if (typed.empty()) return {};
  const fs::path given{std::string(typed)};
  const fs::path full = (given.is_absolute() ? given : fs::path(directory) / given).lexically_normal();
  const std::string name = given.filename().string();
  // A mask in another directory moves there as well.
  if (name.find_first_of("*?") != std::string::npos) return {TypedChoice::Kind::Mask, WithoutSlash(full.parent_path()), name};
  std::error_code error;
  if (fs::is_directory(full, error)) return {TypedChoice::Kind::Directory, WithoutSlash(full), {}};
  return {TypedChoice::Kind::File, full.string(), {}};
}

bool ReadingOrder(std::string_view a, std::string_view b) {
  const std::string_view whole_a = a;
  const std::string_view whole_b = b;
  while (!a.empty() && !b.empty()) {
    if (IsDigit(a.front()) && IsDigit(b.front())) {
      if (const int order = CompareNumbers(a, b); order != 0) return order < 0;
      continue;
    }
    const char x = Folded(a.front());
    const char y = Folded(b.front());
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    a.remove_prefix(1);
    b.remove_prefix(1);
  }
  if (a.size() != b.size()) return a.empty();
  return whole_a < whole_b;
}

std::string StartFolder(const std::vector<std::string>& history, const std::string& fallback) {
  if (history.empty()) return fallback;
  const fs::path folder = fs::path(history.front()).parent_path();
  std::error_code error;
  if (folder.empty() || !fs::is_directory(folder, error)) return fallback;
  return WithoutSlash(folder);
}

}  // namespace orvano::app
