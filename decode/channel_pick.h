#pragma once

#include <cstddef>

namespace orvano::decode {

// Copies channel `channel` of `count` interleaved frames of `channels`
// floats each into `out`.
void PickChannel(const float* frames, std::size_t count, unsigned channels, unsigned channel, float* out);

}  // namespace orvano::decode
