#pragma once

#include <string>
#include <string_view>

#include <cstdint>

#include "common/conversion_options.h"
#include "common/reporter.h"
#include "common/tape_name.h"

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

// What every encoding checks before it creates its output: that the signal
// of `data_bytes` fits a WAV file, and that the output is not the source.
// Logs why not.
bool MayWriteSignal(std::string_view source_name, const std::string& output_name, std::uint64_t data_bytes,
                    Reporter& reporter);

// A warning for each thing that making the tape name did to the file's name:
// letters spelled another way, a name cut to six characters.
void WarnAboutTapeName(const TapeNameChoice& choice, std::string_view file_name, Reporter& reporter);
// A warning when the start address of a binary lies outside the bytes it
// loads: the computer would jump to whatever is there.
void WarnAboutStartAddress(std::uint16_t load, std::uint16_t start, std::uint64_t size, Reporter& reporter);

}  // namespace orvano::encode
