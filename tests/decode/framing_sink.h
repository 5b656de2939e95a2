#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "decode/tape_symbols.h"

namespace orvano::decode::testing {

// A block as a test reads it back from the demodulator: its leader and the
// bytes its cells frame.
struct HeardBlock {
  double leader_start = 0;
  double baud = 0;
  double level_dbfs = 0;
  std::vector<std::uint8_t> bytes;
  std::size_t bad_frames = 0;  // frames whose stop bits were not both 1
  double start = 0;            // time of the first cell
  double end = 0;
};

// Frames the cells of each block the plain way: a 0 start bit, eight data
// bits least significant first, two 1 stop bits; after a bad stop bit it
// looks for the next start bit. It also checks the order the demodulator
// promises: a block's cells follow a leader, times never go back, and a
// block end comes only while a block is open.
class FramingSink final : public SymbolSink {
 public:
  void Leader(double start, double baud, double level_dbfs) override {
    if (open_) ++order_faults;
    ++leaders;
    leader_ = {start, baud, level_dbfs, {}, 0, 0, 0};
    have_leader_ = true;
  }

  void Bit(std::uint8_t bit, double time) override {
    if (time < last_time_ || bit > 1) ++order_faults;
    last_time_ = time;
    ++bits;
    if (!open_) {
      if (!have_leader_) ++order_faults;
      blocks.push_back(leader_);
      blocks.back().start = time;
      have_leader_ = false;
      open_ = true;
      cells_ = 0;
    }
    HeardBlock& block = blocks.back();
    block.end = time;
    if (cells_ == 0) {
      if (bit == 0) cells_ = 1;
      return;
    }
    if (cells_ <= 8) {
      byte_ = static_cast<std::uint8_t>(byte_ >> 1 | bit << 7);
      ++cells_;
      return;
    }
    if (bit == 0) {
      block.bytes.push_back(byte_);
      ++block.bad_frames;
      cells_ = 0;
      return;
    }
    if (++cells_ == 11) {
      block.bytes.push_back(byte_);
      cells_ = 0;
    }
  }

  void BlockEnd(double time) override {
    if (!open_ || time < last_time_) ++order_faults;
    // A frame cut short keeps what it had, as a byte with bad stop bits.
    if (open_ && cells_ > 8) {
      blocks.back().bytes.push_back(byte_);
      ++blocks.back().bad_frames;
    }
    if (open_) blocks.back().end = time;
    open_ = false;
    cells_ = 0;
  }

  std::vector<HeardBlock> blocks;
  std::size_t leaders = 0;
  std::size_t bits = 0;
  std::size_t order_faults = 0;

 private:
  HeardBlock leader_;
  bool have_leader_ = false;
  bool open_ = false;
  int cells_ = 0;
  std::uint8_t byte_ = 0;
  double last_time_ = 0;
};

}  // namespace orvano::decode::testing
