#pragma once

#include <string>

#include "common/conversion_options.h"
#include "common/file_names.h"
#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::decode {

// Each works on names.SourceName, derives and stores the names it uses, and
// logs through the reporter.

// A recording -> .MSR. A .RAW file is squared sample by sample; any other
// recording is read through the sound library, its channel taken as
// options.channel says and resampled to 44100 Hz first.
Outcome RawRecode(FileNameSet& names, const ConversionOptions& options, Reporter& reporter);
Outcome Phase1Decode(FileNameSet& names, Reporter& reporter);  // .MSR -> .TX1
Outcome Phase2Decode(FileNameSet& names, Reporter& reporter);  // .TX1 -> .TX2

// Logs what the recording at `path` is, in one line, for Open and for
// `orvano-cli info`; or why it cannot be read.
Outcome DescribeRecording(const std::string& path, Reporter& reporter);

}  // namespace orvano::decode
