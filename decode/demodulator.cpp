#include "decode/demodulator.h"

#include "decode/crossing_stage.h"
#include "decode/sample_history.h"
#include "decode/symbol_stage.h"

namespace orvano::decode {

// Both stages on the caller's thread: each chunk is heard as soon as it is
// done, so the crossing stage is never more than a commit ahead.
class Demodulator::Impl {
 public:
  Impl(unsigned sample_rate, SymbolSink& sink)
      : history_(HistoryLength(0), kMostCommitted),
        crossings_(sample_rate, history_),
        symbols_(sample_rate, history_, sink),
        hear_([this](const CrossingChunk& chunk) { symbols_.Take(chunk); }) {}

  void Feed(std::span<const float> samples) { crossings_.Feed(samples, hear_); }
  void Finish() { crossings_.Finish(hear_); }

 private:
  SampleHistory history_;
  CrossingStage crossings_;
  SymbolStage symbols_;
  ChunkHandler hear_;
};

Demodulator::Demodulator(unsigned sample_rate, SymbolSink& sink)
    : impl_(std::make_unique<Impl>(sample_rate, sink)) {}
Demodulator::~Demodulator() = default;
void Demodulator::Feed(std::span<const float> samples) { impl_->Feed(samples); }
void Demodulator::Finish() { impl_->Finish(); }

}  // namespace orvano::decode
