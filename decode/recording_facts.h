#pragma once

#include <string>
#include <string_view>

#include "common/reporter.h"
#include "decode/audio_source.h"

namespace orvano::decode {

// What a recording is, in one line: "WAV, 16-bit PCM, 48000 Hz, 2 channels,
// 60:00" (the length in minutes and seconds).
std::string FactsText(const AudioFacts& facts);

// The warning about a file whose data ends before its header says.
std::string ShorterThanHeaderText(std::string_view name, const AudioFacts& facts);
// The warning about a WAV whose header gives no size for its data.
std::string UnsizedDataText(std::string_view name, const AudioFacts& facts);
// Warns of what the header of the recording `name` got wrong, if anything.
void WarnOfHeader(std::string_view name, const AudioFacts& facts, Reporter& reporter);

}  // namespace orvano::decode
