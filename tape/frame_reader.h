#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "decode/tape_symbols.h"
#include "tape/tape_block.h"

namespace orvano::tape {

// Turns the bit cells that the demodulator hears into the bytes of each
// block, reading frames the way the computer does: after the eight data bits
// the next 0 cell is the next start bit. A stop cell that is 0 therefore
// starts the next frame at once; the frame before it keeps its byte and is
// counted as a framing error. Ones between frames are skipped, and a frame
// that the end of its block cuts short is dropped, since its byte is not
// known. A block that gave no byte is not kept.
//
// Under a dropout the cells are guesses, and the computer would lose its
// step there. The reader keeps it: a guessed 0 is no start bit, frames go
// on back to back, and every frame with a guessed cell is counted as a
// framing error. The bytes after the dropout stay in their places.
class FrameReader final : public decode::SymbolSink {
 public:
  void Leader(double start, double baud, double level_dbfs) override;
  void Bit(std::uint8_t bit, double time) override;
  void FadedBit(std::uint8_t bit, double time) override;
  void BlockEnd(double time) override;

  // The blocks read so far, in tape order. A block that is still open is
  // ended at its last bit first, so that nothing heard is lost.
  std::vector<TapeBlock> TakeBlocks();

 private:
  enum class State { Hunting, Data, Stop };

  void Open(double time);
  void Cell(bool one, double time, bool faded);
  // Counts the frame being read as bad, once.
  void CountBadFrame();
  void Close(double end);

  struct Heard {
    double start;
    double baud;
    double level_dbfs;
  };
  std::optional<Heard> leader_;  // the leader of the block to come
  std::optional<TapeBlock> block_;
  std::vector<TapeBlock> blocks_;
  State state_ = State::Hunting;
  unsigned data_ = 0;
  unsigned cells_ = 0;  // data or stop cells of the frame read so far
  double frame_time_ = 0;
  bool frame_faded_ = false;    // a cell of the frame was a guess
  bool frame_counted_ = false;  // the frame is counted as bad already
  bool after_stop_ = false;     // the last cell was a frame's last stop bit
  double last_time_ = 0;
};

}  // namespace orvano::tape
