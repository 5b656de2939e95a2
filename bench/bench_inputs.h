#pragma once

#include <cstdint>
#include <string>

namespace orvano::bench {

// The files the benchmarks work on, made by the project itself in `dir`.
struct Inputs {
  std::string recording;  // 60 minutes of tape signal at 44100 Hz, with noise
  std::string binary;     // 64 KB memory image
  std::string program;    // 32 KB tokenised BASIC program
  std::string text;       // 64 KB ASCII text
  std::string stereo;     // the recording's samples as 48 kHz 16-bit stereo WAV, 60 minutes
};

// Makes whatever is missing; an input already there is kept, so repeated
// runs skip the generation.
Inputs MakeInputs(const std::string& dir, double minutes);

std::uint64_t FileSize(const std::string& path);

}  // namespace orvano::bench
