#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "tests/support/temp_dir.h"

namespace orvano::testing {

// Where the data chunk of a WAV file begins: the offset of its "data" id.
inline std::size_t DataChunkAt(const Bytes& wave) {
  constexpr char kId[] = "data";
  return static_cast<std::size_t>(std::search(wave.begin(), wave.end(), std::begin(kId), std::end(kId) - 1) - wave.begin());
}

// The WAV file with the size of its data chunk set to `size`: 0 as a
// recorder leaves a file it could not finish, FFFFFFFF as a stream does.
inline Bytes WithDataSize(Bytes wave, std::uint32_t size) {
  const std::size_t at = DataChunkAt(wave) + 4;
  for (std::size_t k = 0; k < 4; ++k) wave[at + k] = static_cast<std::uint8_t>(size >> (8 * k));
  return wave;
}

}  // namespace orvano::testing
