#pragma once

#include <memory>

#include "decode/crossing_stage.h"
#include "decode/sample_history.h"
#include "decode/tape_symbols.h"

namespace orvano::decode {

// The second half of the demodulator: from the crossings and the samples
// around them it finds the leaders, measures their speed, checks start
// bits, follows the cells of each block and tells the sink what it heard.
// It hears the same whatever thread the crossing stage runs on, since it
// only ever looks at what the chunks handed to it hold.
class SymbolStage {
 public:
  // `sample_rate` is the recording's; `history` is the one the crossing
  // stage fills.
  SymbolStage(unsigned sample_rate, const SampleHistory& history, SymbolSink& sink);
  ~SymbolStage();
  SymbolStage(const SymbolStage&) = delete;
  SymbolStage& operator=(const SymbolStage&) = delete;

  // The next chunk, in the order they were handed over.
  void Take(const CrossingChunk& chunk);

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace orvano::decode
