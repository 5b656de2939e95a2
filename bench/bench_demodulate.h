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

// Reads a recording through its audio source, takes the channel that
// carries the tape and demodulates it, on two threads when it is long,
// as the whole tape does.
Heard Demodulate(const std::string& path);

}  // namespace orvano::bench
