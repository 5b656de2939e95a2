#pragma once

#include <cstdint>
#include <span>

namespace orvano::decode {

// Squares samples at full scale ±1 into the three levels of a recoded file,
// written to `out` as 16-bit little-endian samples (2 bytes each). A sample
// that a 16-bit recording would hold as 0 stays 0; every other one becomes
// the high or the low level by its sign. So a recording that was 16-bit in
// the first place recodes exactly as its .RAW twin does.
void RecodeToLevels(std::span<const float> samples, std::uint8_t* out);

}  // namespace orvano::decode
