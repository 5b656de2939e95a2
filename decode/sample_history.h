#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvano::decode {

// The newest samples of a signal, addressed by the index of each sample from
// the start of the recording, so that the passes over it can look back a
// little way without copying. Sample n stands for the interval n - 1/2 to
// n + 1/2. The samples lie in a ring: one writer appends while readers,
// on its thread or another, look through a SampleWindow at samples written
// before; whoever runs them keeps the writer less than a ring's length
// ahead of the oldest sample a reader still looks at.
class SampleHistory {
 public:
  // A ring of at least `length` samples, filled `most_room` at a time at
  // most.
  SampleHistory(std::size_t length, std::size_t most_room);

  // Room for up to `count` more samples (count <= most_room) in a row, to
  // be filled by the writer; the samples written count once committed.
  std::span<float> Room(std::size_t count) { return {buffer_.data() + (end_ & mask_), count}; }
  void Commit(std::size_t count);

  std::uint64_t End() const { return end_; }
  std::size_t Length() const { return mask_ + 1; }
  float At(std::uint64_t index) const { return buffer_[index & mask_]; }
  // The samples from `index` on lie in a row up to the next multiple of the
  // ring's length, which is a power of two.
  const float* Data(std::uint64_t index) const { return buffer_.data() + (index & mask_); }

 private:
  // The ring, then the room that runs over its end; what lands there is
  // copied to the ring's start on Commit.
  std::vector<float> buffer_;
  std::size_t mask_;
  std::uint64_t end_ = 0;
};

// What a reader of a history looks at: the `keep` samples before End(), or
// all of them when fewer were written. The window moves only when its
// reader says so, so a writer running ahead changes nothing it sees.
class SampleWindow {
 public:
  SampleWindow(const SampleHistory& history, std::size_t keep) : history_(history), keep_(keep) {}

  // The samples before `end` have been committed.
  void Reach(std::uint64_t end) { end_ = end; }

  std::uint64_t Begin() const { return end_ > keep_ ? end_ - keep_ : 0; }
  std::uint64_t End() const { return end_; }
  float At(std::uint64_t index) const { return history_.At(index); }
  const float* Data(std::uint64_t index) const { return history_.Data(index); }

  // The area under the signal from `from` to `to` (in samples, from <= to),
  // clamped to the window.
  double Integral(double from, double to) const;

 private:
  const SampleHistory& history_;
  std::size_t keep_;
  std::uint64_t end_ = 0;
};

}  // namespace orvano::decode
