#pragma once

#include <span>
#include <string>

#include "common/conversion_options.h"
#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::tape {

// Reads the whole recording `path` once, at its own sample rate, finds every
// block and every file on it, and writes them into `dir` (empty: a folder
// beside the recording named after its base name): the tape image tape.cas,
// NN-NAME.EXT for each file, NN-NAME.BAS for each program, report.json.
// Logs one line per file and a summary, and hands the report and the table
// of files to the reporter.
Outcome DecodeTape(const std::string& path, const std::string& dir, const ConversionOptions& options,
                   Reporter& reporter);

// The same for several recordings, `jobs` at a time (0: one for each core).
// With one, `dir` is its output folder; with several, each recording's
// outputs go to dir/<its base name>/, or beside it when `dir` is empty.
Outcome DecodeTapes(std::span<const std::string> paths, const std::string& dir, unsigned jobs,
                    const ConversionOptions& options, Reporter& reporter);

}  // namespace orvano::tape
