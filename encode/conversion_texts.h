#pragma once

#include <string>
#include <string_view>

#include "common/reporter.h"
#include "common/conversion_options.h"

namespace orvano::encode {

// What every encoding names and logs alike.

// The .RAW or .WAV beside the source, with only its file-name part upper-cased.
std::string OutputNameFor(std::string_view source_name, bool write_wave);
// How to play the output; the baud is told only when it is not 1200.
void LogPlayingHints(Baud baud, Reporter& reporter);

std::string EmptyText(std::string_view source_name);
std::string TooLargeText(std::string_view source_name);
// A tape image, or a source of one, over the size an image may have.
std::string ImageTooLargeText(std::string_view name);

}  // namespace orvano::encode
