#pragma once

#include <string>

#include "common/conversion_options.h"
#include "common/file_names.h"
#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::encode {

// Converts the file the user chose into a cassette signal at the options'
// baud, choosing binary, BASIC or text by the extension of its upper-cased
// file name (a .COM file is announced by a warning, then taken as binary).
// A file of the BASIC kind that begins with the block marker is a tape image,
// and every block of it is played; any other is one tokenised program.
// Stores the chosen path, as it was given, in names.SourceName and the output
// in names.MsrName. An extension that matches no kind is explained in the
// log and is a failure.
Outcome ConvertSource(const std::string& chosen, FileNameSet& names, const ConversionOptions& options,
                      Reporter& reporter);

}  // namespace orvano::encode
