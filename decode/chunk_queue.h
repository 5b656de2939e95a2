#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "decode/crossing_stage.h"

namespace orvano::decode {

// A chunk on its way from the crossing stage to the symbol stage, with how
// far the recording had been read when it was done.
struct QueuedChunk {
  CrossingChunk chunk;
  std::uint64_t frames_read = 0;
};

// Hands chunks from one thread to another, at most `depth` at a time. A
// chunk is copied into the queue rather than handed over: the crossing
// stage then writes its crossings one by one only into memory its own
// core holds, and what the other core reads moves across in one copy.
// Handing the lists to and fro instead cost up to a third more time. A
// side that has to wait sleeps until half of the queue is there for it,
// so that the two threads wake each other seldom.
class ChunkQueue {
 public:
  explicit ChunkQueue(std::size_t depth);

  // Producer: queues a copy of the chunk; waits while `depth` chunks are in
  // the queue. Once the consumer has stopped, the chunk is dropped.
  void Push(const CrossingChunk& chunk, std::uint64_t frames_read);
  // Producer: nothing more comes.
  void Close();

  // Consumer: the oldest chunk, which stays in the queue until Done();
  // null once the queue is closed and empty.
  const QueuedChunk* Next();
  void Done();
  // Consumer: wants nothing more, so a waiting producer goes on.
  void Stop();
  bool Stopped() const;

 private:
  std::vector<QueuedChunk> slots_;
  std::size_t head_ = 0;   // the oldest chunk in the queue
  std::size_t count_ = 0;  // chunks pushed and not yet done
  bool closed_ = false;
  bool stopped_ = false;
  bool producer_waits_ = false;
  bool consumer_waits_ = false;
  mutable std::mutex mutex_;
  std::condition_variable room_;
  std::condition_variable filled_;
};

}  // namespace orvano::decode
