#pragma once

#include <cstdint>

namespace orvano::decode {

// What the demodulator hears on a tape, in the order it hears it. Times are
// seconds from the start of the recording.
//
// A tape is leaders and blocks: a leader is a long run of the high tone; a
// block is the bit cells that follow it, from its first start bit on, until
// the signal is lost or the next leader begins. Between blocks there may be
// silence, hiss or nothing at all.
class SymbolSink {
 public:
  virtual ~SymbolSink() = default;

  // A leader was found; its one-bits ran at `baud` (measured from its
  // cycles) and its level was `level_dbfs` (peak level, dB below full scale).
  virtual void Leader(double start, double baud, double level_dbfs) = 0;
  // One bit cell of a block, the first being the block's first start bit.
  virtual void Bit(std::uint8_t bit, double time) = 0;
  // A bit cell of a block heard while the signal had faded (a dropout):
  // its bit is a guess, but it keeps the count of cells.
  virtual void FadedBit(std::uint8_t bit, double time) { Bit(bit, time); }
  // The block that was being read ends here: the signal was lost, or a new
  // leader begins. Not called when no block was open.
  virtual void BlockEnd(double time) = 0;
};

}  // namespace orvano::decode
