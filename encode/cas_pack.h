#pragma once

#include <optional>
#include <span>
#include <string>

#include "common/conversion_options.h"
#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::encode {

// Writes the tape image `output` of the sources, in their order, each one
// tape file as New would put it on tape: .BIN and .COM as binaries at the
// options' load and start address, .CAS as a tokenised program, the text
// extensions as text. Each tape name comes from the source's upper-cased
// file name, unless `tape_name` is given, which is allowed for a single
// source only and is cut or padded to six characters.
// Every source of no known kind, empty, unreadable, or a tape image itself,
// is reported, and then nothing is written. The output is replaced whole or
// not at all.
Outcome PackCasImage(const std::string& output, std::span<const std::string> sources,
                     const ConversionOptions& options, const std::optional<std::string>& tape_name,
                     Reporter& reporter);

}  // namespace orvano::encode
