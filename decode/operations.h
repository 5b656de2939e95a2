#pragma once

#include "common/file_names.h"
#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::decode {

// Each works on names.SourceName, derives and stores the names it uses, and
// logs through the reporter.
Outcome RawRecode(FileNameSet& names, Reporter& reporter);     // .RAW -> .MSR
Outcome Phase1Decode(FileNameSet& names, Reporter& reporter);  // .MSR -> .TX1
Outcome Phase2Decode(FileNameSet& names, Reporter& reporter);  // .TX1 -> .TX2

}  // namespace orvano::decode
