#pragma once

#include <cstddef>
#include <cstdint>

namespace orvano::decode {

// `count` 16-bit signed little-endian samples to floats at full scale ±1
// (the value over 32768). The samples may lie in the second half of the
// floats' own memory, at byte 2 * count of `out`, so that a file can be
// read straight into the floats it becomes: every float is written only
// after the samples under it have been read.
void ShortsToFloats(const std::uint8_t* bytes, std::size_t count, float* out);

}  // namespace orvano::decode
