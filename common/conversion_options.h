#pragma once

#include <cstdint>

namespace orvano {

// What the Options dialog sets: the addresses a binary file receives when it
// is put on tape, and whether the tape image is written as a WAV file.
struct ConversionOptions {
  std::uint16_t LoadAddr = 0x9000;
  std::uint16_t StartAddr = 0x9000;
  bool WriteWave = false;
};

}  // namespace orvano
