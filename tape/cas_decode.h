#pragma once

#include "common/file_names.h"
#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::tape {

enum class TapeFileKind { None, Basic, Text, Binary };

struct CasDecodeResult {
  Outcome outcome = Outcome::Failure;
  TapeFileKind kind = TapeFileKind::None;  // what was written to names.OutputName
};

// Finds the first tape file in the bit file of names.SourceName and writes
// its contents to a .CAS, .TXT or .BIN file beside it.
CasDecodeResult CasDecode(FileNameSet& names, Reporter& reporter);

}  // namespace orvano::tape
