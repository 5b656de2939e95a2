#pragma once

#include <memory>
#include <string>

#include "decode/audio_source.h"

namespace orvano::decode {

// A headerless .RAW file: 16-bit signed little-endian mono at 44100 Hz. A
// last odd byte is no whole sample and is not read.
OpenedAudio OpenRawSamples(const std::string& path);

}  // namespace orvano::decode
