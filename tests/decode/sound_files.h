#pragma once

#include <span>

#include "tests/support/temp_dir.h"

namespace orvano::testing {

// A sound file written by the sound library in memory: `format` is its
// format code (major kind | sample kind), the frames interleaved floats at
// full scale ±1.
Bytes SoundFileBytes(int format, unsigned rate, unsigned channels, std::span<const float> interleaved);

}  // namespace orvano::testing
