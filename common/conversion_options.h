#pragma once

#include <cstdint>

namespace orvano {

// The speed at which New writes a tape. At 1200 baud every output is the
// classic one; 2400 baud halves the cells and doubles the leaders' cells,
// so that the leaders last as long.
enum class Baud : std::uint8_t { k1200, k2400 };

// Which channel of a recording with more than one carries the tape. Auto
// takes the one with the stronger tape signal; Mix averages them all.
enum class ChannelChoice : std::uint8_t { Auto, Left, Right, Mix };

// The BASIC a tokenised program is listed in. Auto decides from the program
// and takes Korvet when the evidence is weak.
enum class DialectChoice : std::uint8_t { Auto, Msx, Korvet };

// What the Options dialog sets: the addresses a binary file receives when it
// is put on tape, whether the tape image is written as a WAV file, and the
// choices of the later features. The defaults give the classic outputs.
struct ConversionOptions {
  std::uint16_t LoadAddr = 0x9000;
  std::uint16_t StartAddr = 0x9000;
  bool WriteWave = false;
  Baud baud = Baud::k1200;
  ChannelChoice channel = ChannelChoice::Auto;
  DialectChoice dialect = DialectChoice::Auto;

  bool operator==(const ConversionOptions&) const = default;
};

}  // namespace orvano
