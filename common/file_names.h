#pragma once

#include <string>
#include <string_view>

namespace orvano {

// The names an operation derives from the source file and keeps for the
// next one. Every operation derives afresh the names it needs.
struct FileNameSet {
  std::string SourceName;
  std::string MsrName;
  std::string Tx1Name;
  std::string Tx2Name;
  std::string OutputName;
  std::string BasName;
};

// Paths are split the way this host names files: "/" separates directories,
// there are no drive names, and the extension starts at the last "." of the
// last component. Paths are never cut: a cut path would name another file.

// The path with its extension replaced by `ext`, given without the dot.
std::string ChangeExt(std::string_view path, std::string_view ext);
// The extension of the path, dot included, or empty.
std::string ExtOf(std::string_view path);
// The base name: no directory, no extension.
std::string NameOf(std::string_view path);
// The six-character name under which a file is stored on tape.
std::string TapeName(std::string_view path);
// Only a to z change; every other byte, national letters included, stays.
std::string UpperCaseName(std::string_view text);
// The path with only its last component upper-cased, so that the directories
// keep the names they have on this case-sensitive host.
std::string UpperCaseFileName(std::string_view path);

constexpr std::size_t kTapeNameLength = 6;

}  // namespace orvano
