#pragma once

#include <cstdint>
#include <span>

namespace orvano::decode {

// Squares the samples of `bytes` in place: above 0 becomes the high level,
// below 0 the low level, 0 stays 0. A last odd byte is no whole sample and is
// left as it is, so a recoded file keeps the length of its source.
void RecodeSamples(std::span<std::uint8_t> bytes);

}  // namespace orvano::decode
