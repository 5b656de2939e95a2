#pragma once

#include <functional>
#include <span>
#include <string>

#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::tape {

// Where each recording's outputs go: with one recording, `dir` itself; with
// several, dir/<its base name>/; with no `dir`, beside each recording.
std::vector<std::string> OutputFolders(std::span<const std::string> recordings, const std::string& dir);

// What is done with one recording and its output folder.
using RecordingWork = std::function<Outcome(const std::string& recording, const std::string& dir, Reporter&)>;

// Does `work` for each recording, `jobs` at a time, each into its own
// folder. A recording whose folder would be that of one before it (the same
// base name) is refused rather than let it replace the other's outputs.
Outcome RunRecordings(std::span<const std::string> recordings, const std::string& dir, unsigned jobs,
                      const RecordingWork& work, Reporter& reporter);

}  // namespace orvano::tape
