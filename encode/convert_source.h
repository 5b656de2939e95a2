#pragma once

#include <cstdint>
#include <string>

#include "common/conversion_options.h"
#include "common/file_names.h"
#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::encode {

// Converts the file the user chose into the cassette signal of one MSX tape
// file, choosing binary, BASIC or text by the extension of its upper-cased
// file name (a .COM file is announced by a warning, then taken as binary).
// Stores the chosen path, as it was given, in names.SourceName and the output
// in names.MsrName; a binary conversion stores its end address in end_addr.
// An extension that matches no kind is explained in the log and is a failure.
Outcome ConvertSource(const std::string& chosen, FileNameSet& names, const ConversionOptions& options,
                      std::uint16_t& end_addr, Reporter& reporter);

}  // namespace orvano::encode
