#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "common/reporter.h"

namespace orvano::tape {

// Writes `bytes` as the whole new contents of the file at `path`: the file
// replaces an earlier one of that name only once all of it is written, so a
// failure leaves the earlier file whole. An output that would be the file
// `input` itself is refused. Failures are logged; returns whether it was
// written.
bool WriteOutputFile(const std::string& path, std::span<const std::uint8_t> bytes, Reporter& reporter,
                     const std::string& input = {});

// Makes the folder and any missing folders above it; logs a failure.
bool MakeOutputFolder(const std::string& dir, Reporter& reporter);

}  // namespace orvano::tape
