#pragma once

#include "common/file_names.h"
#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::basic {

// Lists the .CAS program of names.SourceName as plain text into a .BAS file.
Outcome BasDecode(FileNameSet& names, Reporter& reporter);

}  // namespace orvano::basic
