#include "decode/chunk_queue.h"

#include <algorithm>

namespace orvano::decode {

ChunkQueue::ChunkQueue(std::size_t depth) : slots_(std::max<std::size_t>(depth, 1)) {}

void ChunkQueue::Push(const CrossingChunk& chunk, std::uint64_t frames_read) {
  std::unique_lock lock(mutex_);
  if (count_ == slots_.size() && !stopped_) {
    producer_waits_ = true;
    room_.wait(lock, [this] { return count_ <= slots_.size() / 2 || stopped_; });
    producer_waits_ = false;
  }
  if (stopped_) return;
  QueuedChunk& slot = slots_[(head_ + count_) % slots_.size()];
  slot.chunk.end = chunk.end;
  slot.chunk.safe = chunk.safe;
  slot.chunk.crossings.assign(chunk.crossings.begin(), chunk.crossings.end());
  slot.chunk.levels.assign(chunk.levels.begin(), chunk.levels.end());
  slot.chunk.last = chunk.last;
  slot.chunk.recorded = chunk.recorded;
  slot.frames_read = frames_read;
  ++count_;
  if (consumer_waits_ && count_ >= (slots_.size() + 1) / 2) filled_.notify_one();
}

void ChunkQueue::Close() {
  const std::lock_guard lock(mutex_);
  closed_ = true;
  filled_.notify_one();
}

const QueuedChunk* ChunkQueue::Next() {
  std::unique_lock lock(mutex_);
  if (count_ == 0 && !closed_) {
    consumer_waits_ = true;
    filled_.wait(lock, [this] { return count_ >= (slots_.size() + 1) / 2 || closed_; });
    consumer_waits_ = false;
  }
  return count_ == 0 ? nullptr : &slots_[head_];
}

void ChunkQueue::Done() {
  const std::lock_guard lock(mutex_);
  head_ = (head_ + 1) % slots_.size();
  --count_;
  if (producer_waits_ && count_ <= slots_.size() / 2) room_.notify_one();
}

void ChunkQueue::Stop() {
  const std::lock_guard lock(mutex_);
  stopped_ = true;
  room_.notify_one();
}

bool ChunkQueue::Stopped() const {
  const std::lock_guard lock(mutex_);
  return stopped_;
}

}  // namespace orvano::decode
