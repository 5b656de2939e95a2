#pragma once

#include <cstdint>
#include <string>

namespace orvano::bench {

// What the demodulator heard on a recording, for a check that the pass did
// its work.
struct Heard {
  std::uint64_t leaders = 0;
  std::uint64_t blocks = 0;
  std::uint64_t bits = 0;
};

// Reads the .RAW recording through its audio source and demodulates it.
Heard DemodulateRaw(const std::string& path);
// Reads a 16-bit stereo WAV file with a plain 44-byte header, takes its
// left channel and demodulates it, as the audio source for WAV files will.
Heard DemodulateStereoWave(const std::string& path);

}  // namespace orvano::bench
