#pragma once

#include <cstdint>
#include <string>

#include "common/conversion_options.h"
#include "common/outcome.h"
#include "common/reporter.h"
#include "tape/cas_image.h"

namespace orvano::tape {

// An image larger than this is refused before it is read: a tape holds far
// less, and the file is surely something else.
inline constexpr std::uint64_t kMaxCasImageBytes = 16 * 1024 * 1024;

// Logs one line for each file of the tape image `path` (place, type, name,
// size, addresses) and one for each block of no file, with whatever is
// irregular about the image; the same goes to the reporter as a document
// and a table.
Outcome ListCasImage(const std::string& path, Reporter& reporter);

// Logs what the image read from `path` holds, as ListCasImage does: its
// irregularities as warnings, one line per file and per block of no file,
// and a summary. New logs it before it plays an image.
void LogImageFiles(const std::string& path, const CasImage& image, Reporter& reporter);

// Writes each file of the tape image into `dir` (empty: beside the image,
// named after its base name) under the names the whole-tape decoder gives
// them, with the listing of each program; then logs as ListCasImage does.
Outcome ExtractCasImage(const std::string& path, const std::string& dir, const ConversionOptions& options,
                        Reporter& reporter);

}  // namespace orvano::tape
