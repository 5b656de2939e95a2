#include "decode/crossing_stage.h"

#include <algorithm>

namespace orvano::decode {

CrossingStage::CrossingStage(unsigned sample_rate, SampleHistory& history)
    : decimator_(DecimationFor(std::max(sample_rate, 1u))),
      rate_(std::max(sample_rate, 1u) / decimator_.Factor()),
      history_(history),
      window_(history, kWindowSamples),
      detector_(rate_) {}

void CrossingStage::Feed(std::span<const float> samples, const ChunkHandler& handler) {
  const std::size_t piece = (kMostCommitted - 1) * decimator_.Factor();
  for (std::size_t at = 0; at < samples.size(); at += piece) {
    const auto part = samples.subspan(at, std::min(piece, samples.size() - at));
    const std::span<float> room = history_.Room(part.size() / decimator_.Factor() + 1);
    history_.Commit(decimator_.Decimate(part, room));
    while (history_.End() >= chunk_end_) {
      window_.Reach(chunk_end_);
      Hand(false, handler);
      chunk_end_ += kChunkSamples;
    }
  }
}

void CrossingStage::Finish(const ChunkHandler& handler) {
  const std::uint64_t end = history_.End();
  // Whole groups of the last level let the detector see the last samples.
  const float last = end > 0 ? history_.At(end - 1) : 0.0f;
  const std::size_t padding = 4 * kGroupSamples + static_cast<std::size_t>(rate_ / 1000);
  const std::span<float> room = history_.Room(padding);
  std::fill(room.begin(), room.end(), last);
  history_.Commit(padding);
  window_.Reach(history_.End());
  chunk_.recorded = end;
  Hand(true, handler);
}

void CrossingStage::Hand(bool last, const ChunkHandler& handler) {
  chunk_.crossings.clear();
  chunk_.levels.clear();
  detector_.Scan(window_, chunk_.crossings, chunk_.levels);
  chunk_.end = window_.End();
  chunk_.safe = detector_.SafeTime();
  chunk_.last = last;
  handler(chunk_);
}

}  // namespace orvano::decode
