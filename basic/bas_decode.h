#pragma once

#include "common/conversion_options.h"
#include "common/file_names.h"
#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::basic {

// Lists the .CAS program of names.SourceName as plain text into a .BAS file,
// in the chosen dialect (Auto: the one the program fits). The log says
// which dialect it took, and why, and each damage found in the program.
Outcome BasDecode(FileNameSet& names, DialectChoice dialect, Reporter& reporter);

}  // namespace orvano::basic
