#include "decode/signal_demodulation.h"

#include <exception>
#include <system_error>
#include <thread>
#include <vector>

#include "decode/chunk_queue.h"
#include "decode/crossing_stage.h"
#include "decode/demodulator.h"
#include "decode/sample_history.h"
#include "decode/symbol_stage.h"

namespace orvano::decode {
namespace {

constexpr std::size_t kReadFrames = 64 * 1024;
// Chunks the crossing stage may run ahead: enough to ride out a stretch
// of cells that are costly to read.
constexpr std::size_t kChunksAhead = 8;
constexpr double kLongSeconds = 10;

void DemodulateHere(unsigned sample_rate, const SampleReader& read, SymbolSink& sink, const HeardProgress& progress) {
  Demodulator demodulator(sample_rate, sink);
  std::vector<float> samples(kReadFrames);
  std::uint64_t frames = 0;
  for (std::size_t count; (count = read(samples)) > 0;) {
    demodulator.Feed(std::span(samples).first(count));
    frames += count;
    progress(frames);
  }
  demodulator.Finish();
}

// The reading thread is stopped and waited for on every way out.
class Worker {
 public:
  Worker(ChunkQueue& queue, std::thread thread) : queue_(queue), thread_(std::move(thread)) {}
  ~Worker() {
    queue_.Stop();
    thread_.join();
  }
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

 private:
  ChunkQueue& queue_;
  std::thread thread_;
};

}  // namespace

Threads ThreadsFor(std::uint64_t frames, bool length_known, unsigned sample_rate) {
  if (std::thread::hardware_concurrency() < 2) return Threads::One;
  if (length_known && static_cast<double>(frames) < kLongSeconds * sample_rate) return Threads::One;
  return Threads::Two;
}

void DemodulateSignal(unsigned sample_rate, const SampleReader& read, SymbolSink& sink, Threads threads,
                      const HeardProgress& progress) {
  if (threads == Threads::One) {
    DemodulateHere(sample_rate, read, sink, progress);
    return;
  }
  SampleHistory history(HistoryLength(kChunksAhead), kMostCommitted);
  CrossingStage crossings(sample_rate, history);
  SymbolStage symbols(sample_rate, history, sink);
  ChunkQueue queue(kChunksAhead);
  std::exception_ptr failure;
  const auto produce = [&] {
    try {
      std::vector<float> samples(kReadFrames);
      std::uint64_t frames = 0;
      const ChunkHandler hand = [&](const CrossingChunk& chunk) { queue.Push(chunk, frames); };
      for (std::size_t count; !queue.Stopped() && (count = read(samples)) > 0;) {
        frames += count;
        crossings.Feed(std::span(samples).first(count), hand);
      }
      crossings.Finish(hand);
    } catch (...) {
      failure = std::current_exception();
    }
    queue.Close();
  };
  std::thread thread;
  try {
    thread = std::thread(produce);
  } catch (const std::system_error&) {
    // No thread to be had: the samples are heard here.
    DemodulateHere(sample_rate, read, sink, progress);
    return;
  }
  {
    const Worker worker(queue, std::move(thread));
    while (const QueuedChunk* next = queue.Next()) {
      symbols.Take(next->chunk);
      progress(next->frames_read);
      queue.Done();
    }
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace orvano::decode
