#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvano::app {

// How the viewer shows a file: as text for the extensions of text files
// (.BAS, .TXT, .ASC, .DOC, .PAS, and the .TX1 and .TX2 of the decoding
// steps), and in hexadecimal for any other.
enum class ViewKind { Text, Hex };

ViewKind ViewKindOf(std::string_view path);

// The viewer reads no more than this; a longer file shows its beginning.
inline constexpr std::size_t kViewLimit = 1024 * 1024;

// The lines of a text: a line ends at CR LF, LF or CR, the text at the
// first 0x1A (the end mark that fills the last block of an MSX text file),
// and a tab moves on to the next multiple of 8 columns.
std::vector<std::string> TextLines(std::span<const std::uint8_t> bytes);

// Sixteen bytes a line: the offset, the bytes in hexadecimal in two groups
// of eight, and the printable ones as characters ("." for the others).
std::vector<std::string> HexLines(std::span<const std::uint8_t> bytes);

struct FileView {
  std::vector<std::string> lines;  // the user's text (user_text.h)
  std::string error;               // the log text of a failure; empty when it was read
};

// Reads the beginning of the file, up to kViewLimit bytes, and lays it out
// as its kind wants; a last line then tells how much of it is shown.
FileView ReadForView(const std::string& path);

}  // namespace orvano::app
