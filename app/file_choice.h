#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvano::app {

// What the file dialog lists: ".." first (but in the root), then the
// directories, then the files that match the mask, each group sorted.
struct DirectoryEntry {
  std::string name;
  bool is_directory = false;

  bool operator==(const DirectoryEntry&) const = default;
};

std::vector<DirectoryEntry> ListEntries(const std::string& directory, std::string_view mask);

// What a name typed into the file dialog asks for. A relative name is taken
// relative to the directory the dialog shows.
struct TypedChoice {
  // Mask: show `path` (a directory) through a new mask.
  enum class Kind { None, Mask, Directory, File } kind = Kind::None;
  std::string path;  // absolute and normalised
  std::string mask;

  bool operator==(const TypedChoice&) const = default;
};

TypedChoice ResolveTyped(const std::string& directory, std::string_view typed);

}  // namespace orvano::app
