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
  const auto by_name = [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; };
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

}  // namespace orvano::app
