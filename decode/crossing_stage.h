#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "decode/crossing_detector.h"
#include "decode/sample_decimator.h"
#include "decode/sample_history.h"

namespace orvano::decode {

// Samples of the history (after decimation) in a chunk; every chunk but the
// last ends at a multiple of it, however the recording was read.
inline constexpr std::size_t kChunkSamples = 8192;
// What the symbol stage looks back on from a chunk's end: the chunk itself,
// and the cells, start bits and lost blocks begun before it.
inline constexpr std::size_t kWindowSamples = kChunkSamples + 4096;
// The most samples the crossing stage commits to the history at a time.
inline constexpr std::size_t kMostCommitted = 4096 + 1;

// The length of history both stages need when the crossing stage may hand
// over `chunks_ahead` chunks before the symbol stage has finished with the
// first of them.
constexpr std::size_t HistoryLength(std::size_t chunks_ahead) {
  return kWindowSamples + chunks_ahead * kChunkSamples + kMostCommitted;
}

// What the crossing stage hands to the symbol stage: the samples up to
// `end` are in the history, and these are the crossings and levels found in
// the groups since the chunk before.
struct CrossingChunk {
  std::uint64_t end = 0;
  double safe = 0;  // every crossing before this time has been handed over
  std::vector<Crossing> crossings;
  std::vector<float> levels;  // the amplitude over each group, in order
  bool last = false;          // the recording ends in this chunk ...
  std::uint64_t recorded = 0;  // ... here, before the samples that pad it
};

// Gets each chunk as it is done.
using ChunkHandler = std::function<void(const CrossingChunk&)>;

// The first half of the demodulator, which only ever looks at a few
// samples: it brings the recording down to the rate the demodulator works
// at, keeps it in the history, and finds its crossings.
class CrossingStage {
 public:
  // `sample_rate` is the recording's; `history` takes the samples.
  CrossingStage(unsigned sample_rate, SampleHistory& history);

  // The next samples at full scale ±1; blocks may have any length.
  void Feed(std::span<const float> samples, const ChunkHandler& handler);
  // The recording ends: the last chunk, padded so that the detector sees
  // its last samples.
  void Finish(const ChunkHandler& handler);

 private:
  void Hand(bool last, const ChunkHandler& handler);

  SampleDecimator decimator_;
  unsigned rate_;
  SampleHistory& history_;
  SampleWindow window_;
  CrossingDetector detector_;
  CrossingChunk chunk_;
  std::uint64_t chunk_end_ = kChunkSamples;
};

}  // namespace orvano::decode
