#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "basic/dialect.h"
#include "common/conversion_options.h"

namespace orvano::basic {

// The listing of a tokenised program, and what the lister found on the way.
struct ProgramListing {
  std::string text;  // the .BAS bytes
  Dialect dialect = Dialect::Korvet;
  // "listed as MSX BASIC (constants and tokens fit MSX)", and the like.
  std::string choice_line;
  // One log line per kind of damage found, naming the line number; at most
  // kMaxProblems of them, then one that counts the rest.
  std::vector<std::string> problems;
};

inline constexpr std::size_t kMaxProblems = 20;

// Lists a tokenised program, with or without its disk-file marker 0xFF, in
// the chosen dialect, or, for Auto, in the one its constants and tokens
// point to (dialect_evidence.h). Damaged data is listed as far as it goes.
//
// Each record is the line number, a blank and the text with every keyword
// spelled out, then CR LF; no end-of-file byte follows. MSX BASIC lists as
// the computer's LIST: the blank is left out before a text that starts with
// a tab, an LF in the text is followed by a CR, a text beyond 255
// characters is cut there (the interpreter's few stale buffer bytes after
// it are not guessed), the listing stops before a line above 65530, and a
// line pointer 0x0D lists as the number of the line it points at. Korvet
// BASIC cuts every record to 255 bytes with its CR LF.
ProgramListing ListProgram(std::span<const std::uint8_t> program, DialectChoice choice);

}  // namespace orvano::basic
