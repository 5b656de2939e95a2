#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvano::decode {

// The latest stretch of a signal, addressed by the index of each sample from
// the start of the recording, so that the passes over it can look back a
// little way without copying. Sample n stands for the interval n - 1/2 to
// n + 1/2.
class SampleHistory {
 public:
  // `keep` samples before the newest stay readable after each Room.
  explicit SampleHistory(std::size_t keep);

  // Room for up to `count` more samples, to be filled by the caller; the
  // samples written count once committed.
  std::span<float> Room(std::size_t count);
  void Commit(std::size_t count) { size_ += count; }

  std::uint64_t Begin() const { return base_; }
  std::uint64_t End() const { return base_ + size_; }
  float At(std::uint64_t index) const { return buffer_[static_cast<std::size_t>(index - base_)]; }
  const float* Data(std::uint64_t index) const { return buffer_.data() + (index - base_); }

  // The area under the signal from `from` to `to` (in samples, from <= to),
  // clamped to the samples kept.
  double Integral(double from, double to) const;

 private:
  std::size_t keep_;
  std::vector<float> buffer_;
  std::uint64_t base_ = 0;
  std::size_t size_ = 0;
};

}  // namespace orvano::decode
