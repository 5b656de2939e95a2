#pragma once

#include <string>
#include <vector>

namespace orvano::testing {

// The first channel of a PCM WAV file (8-bit unsigned, 16-bit signed or
// 32-bit float), at full scale ±1, for tests that feed recordings straight
// to the demodulator. Empty when the file is no such WAV.
struct WaveSamples {
  unsigned sample_rate = 0;
  std::vector<float> samples;
};
WaveSamples ReadWaveSamples(const std::string& path);

}  // namespace orvano::testing
