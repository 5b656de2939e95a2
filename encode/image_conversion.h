#pragma once

#include <string>

#include "common/conversion_options.h"
#include "common/file_names.h"
#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::encode {

// Whether the file begins with the block marker of a tape image. A file that
// cannot be read, or is shorter than the marker, does not.
bool StartsAsCasImage(const std::string& path);

// Plays the tape image names.SourceName: every block in order, as the
// computer writes them, into a .RAW or .WAV beside it (names.MsrName) at the
// options' baud. The log tells the blocks and how to load the first file.
// An empty image, one over 16 MB and one whose signal would not fit in a WAV
// file are refused before anything is written.
Outcome ConvertCasImage(FileNameSet& names, const ConversionOptions& options, Reporter& reporter);

}  // namespace orvano::encode
