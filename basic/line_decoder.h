#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "basic/dialect.h"
#include "basic/line_addresses.h"
#include "basic/program_reader.h"

namespace orvano::basic {

// The longest text of one line; whatever comes beyond it is dropped.
inline constexpr std::size_t kMaxLineText = 255;

// What was wrong in one line, for the problem lines of a listing.
struct LineFindings {
  bool text_cut = false;          // longer than kMaxLineText
  bool constant_cut_off = false;  // the data ended inside a constant
  int unknown_tokens = 0;
  std::string first_unknown;  // "0xFE", "0xFF 0xA5"
  int stray_pointers = 0;
  std::uint16_t first_stray_pointer = 0;
};

// Reads the tokenised text of one line, up to and including its 0x00, and
// returns its text of at most kMaxLineText characters. A reader that runs
// out gives zeros, which end the line. `addresses` resolves line pointers
// where the dialect stores them; without it they list as their value.
// Defined for ProgramReader and StreamReader.
template <typename Reader>
std::string DecodeTokenLine(Reader& source, const DialectRules& rules, const LineAddressMap* addresses,
                            LineFindings& findings);

// Octal digits without leading zeros, "0" for 0.
std::string OctalText(std::uint16_t value);

}  // namespace orvano::basic
