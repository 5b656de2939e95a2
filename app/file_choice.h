#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvano::app {

// What the file dialog lists: ".." first (but in the root), then the
// directories, then the files that match the mask, each group in reading
// order.
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

// The order in which people read a list of names: letters without regard to
// case, and a run of digits by its value, so that "tape9" comes before
// "TAPE10". Names that differ only in case or in leading zeros still have
// one fixed order.
bool ReadingOrder(std::string_view a, std::string_view b);

// Where a file dialog starts: the folder of the newest name chosen before,
// while that folder exists, and otherwise `fallback`.
std::string StartFolder(const std::vector<std::string>& history, const std::string& fallback);

}  // namespace orvano::app
