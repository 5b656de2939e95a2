#pragma once

#include <span>
#include <string>

#include "common/conversion_options.h"
#include "common/outcome.h"
#include "common/reporter.h"
#include "tape/tape_block.h"

namespace orvano::tape {

// The names of the outputs of a whole tape that do not depend on its files.
inline constexpr std::string_view kTapeImageName = "tape.cas";
inline constexpr std::string_view kReportName = "report.json";

// The folder a recording's outputs go to by default: beside it, named after
// its base name, so GAME.WAV gives GAME/. A name that is all extension
// (".wav") gives NONAME.
std::string FolderNameOf(const std::string& source);
std::string DefaultOutputFolder(const std::string& source);

// Writes what the blocks of the recording `source` hold into `dir`: the
// tape image, one file for each tape file with contents (and a listing for
// each program), and the report; then logs every file and the summary,
// and hands the report and the table of files to the reporter. Fails when
// an output could not be written, or when no tape file was found at all.
Outcome WriteTapeOutputs(const std::string& source, std::span<const TapeBlock> blocks, const std::string& dir,
                         const ConversionOptions& options, Reporter& reporter);

}  // namespace orvano::tape
