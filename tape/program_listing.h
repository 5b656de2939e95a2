#pragma once

#include <cstdint>
#include <span>

#include "basic/program_listing.h"
#include "common/conversion_options.h"

namespace orvano::tape {

// The listing of a tokenised program as it comes from tape (no leading
// 0xFF), in the chosen BASIC dialect. Every listing of a tape file goes
// through here.
basic::ProgramListing ListTapeProgram(std::span<const std::uint8_t> program, DialectChoice dialect);

}  // namespace orvano::tape
