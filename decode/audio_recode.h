#pragma once

#include "common/conversion_options.h"
#include "common/file_names.h"
#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::decode {

// Raw recode of a recording read through the sound library, once the names
// are logged: one channel, resampled to 44100 Hz on two threads, squared to
// the three levels and written to names.MsrName. Logs its own failures.
Outcome RecodeRecording(const FileNameSet& names, const ConversionOptions& options, Reporter& reporter);

}  // namespace orvano::decode
