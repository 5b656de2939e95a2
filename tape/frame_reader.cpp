#include "tape/frame_reader.h"

#include <utility>

#include "tape/tape_format.h"

namespace orvano::tape {

void FrameReader::Leader(double start, double baud, double level_dbfs) {
  if (block_) Close(start);
  leader_ = Heard{start, baud, level_dbfs};
}

void FrameReader::Open(double time) {
  BlockSignal signal;
  if (leader_) {
    signal.start = leader_->start;
    signal.baud = leader_->baud;
    signal.level_dbfs = leader_->level_dbfs;
  } else {
    signal.start = time;
  }
  leader_.reset();
  block_ = TapeBlock{{}, std::move(signal)};
  state_ = State::Hunting;
  after_stop_ = false;
}

void FrameReader::Bit(std::uint8_t bit, double time) { Cell(bit != 0, time, false); }

void FrameReader::FadedBit(std::uint8_t bit, double time) { Cell(bit != 0, time, true); }

void FrameReader::Cell(bool one, double time, bool faded) {
  if (!block_) Open(time);
  last_time_ = time;
  const bool after_stop = std::exchange(after_stop_, false);
  switch (state_) {
    case State::Hunting:
      // Frames follow each other without a gap, so under a dropout the cell
      // after the stop bits holds the next start bit, whatever it sounded
      // like; elsewhere a guess is no start bit.
      if (faded ? !after_stop : one) return;
      break;
    case State::Data:
      frame_faded_ = frame_faded_ || faded;
      if (one) data_ |= 1u << cells_;
      if (++cells_ == kDataBits) {
        block_->bytes.push_back(static_cast<std::uint8_t>(data_));
        if (frame_faded_) CountBadFrame();
        state_ = State::Stop;
        cells_ = 0;
      }
      return;
    case State::Stop:
      if (one || faded) {
        // A guessed 0 is no start bit: the frame keeps its place.
        if (faded) CountBadFrame();
        if (++cells_ == kStopBits) {
          state_ = State::Hunting;
          after_stop_ = true;
        }
        return;
      }
      CountBadFrame();
      break;
  }
  // A 0 cell where a frame may begin: its start bit.
  frame_time_ = time;
  frame_faded_ = faded;
  frame_counted_ = false;
  state_ = State::Data;
  data_ = 0;
  cells_ = 0;
}

void FrameReader::CountBadFrame() {
  if (frame_counted_) return;
  frame_counted_ = true;
  block_->signal->framing_errors.push_back(frame_time_);
  block_->signal->framing_error_bytes.push_back(block_->bytes.size() - 1);
}

void FrameReader::BlockEnd(double time) {
  if (block_) Close(time);
}

void FrameReader::Close(double end) {
  block_->signal->end = end;
  if (!block_->bytes.empty()) blocks_.push_back(std::move(*block_));
  block_.reset();
  state_ = State::Hunting;
}

std::vector<TapeBlock> FrameReader::TakeBlocks() {
  if (block_) Close(last_time_);
  return std::exchange(blocks_, {});
}

}  // namespace orvano::tape
