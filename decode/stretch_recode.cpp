#include "decode/stretch_recode.h"

#include <vector>

#include "common/tape_timing.h"
#include "decode/level_recode.h"
#include "decode/sample_format.h"

namespace orvano::decode {
namespace {

constexpr std::size_t kReadSamples = 64 * 1024;
constexpr std::size_t kOutputBufferBytes = 256 * 1024;

// Levels gathered for one place of the output, written when the buffer is
// full or the next samples go elsewhere.
class PlacedOutput {
 public:
  explicit PlacedOutput(const FileStream& out) : out_(out) { buffer_.reserve(kOutputBufferBytes); }

  void Put(std::uint64_t index, std::span<const float> samples) {
    if (index * kSampleBytes != offset_ + buffer_.size()) {
      Flush();
      offset_ = index * kSampleBytes;
    }
    while (!samples.empty() && error_ == 0) {
      const std::size_t room = (kOutputBufferBytes - buffer_.size()) / kSampleBytes;
      const std::span<const float> part = samples.first(std::min(room, samples.size()));
      const std::size_t at = buffer_.size();
      buffer_.resize(at + part.size() * kSampleBytes);
      RecodeToLevels(part, buffer_.data() + at);
      samples = samples.subspan(part.size());
      if (buffer_.size() == kOutputBufferBytes) Flush();
    }
  }

  int Flush() {
    if (!buffer_.empty() && error_ == 0) error_ = out_.WriteFromAnyThread(offset_, buffer_);
    offset_ += buffer_.size();
    buffer_.clear();
    return error_;
  }

  int Error() const { return error_; }

 private:
  const FileStream& out_;
  std::vector<std::uint8_t> buffer_;
  std::uint64_t offset_ = 0;  // where in the file buffer_[0] goes
  int error_ = 0;
};

}  // namespace

StretchResult RecodeStretch(MonoSignal& signal, const Stretch& stretch, const FileStream& out,
                            SharedRecodeState& shared, const std::function<void()>& after_block) {
  StretchResult result;
  PlacedOutput output(out);
  StretchResampler resampler(signal.SampleRate(), kSampleRate, stretch,
                             [&](std::uint64_t index, std::span<const float> samples) { output.Put(index, samples); });
  result.resample_error = resampler.Error();
  std::vector<float> block(kReadSamples);
  bool ended = false;
  while (result.resample_error.empty() && output.Error() == 0 && !resampler.Done() && !shared.stop.load()) {
    const std::size_t count = signal.Read(block);
    if (count == 0) {
      ended = true;
      break;
    }
    resampler.Feed({block.data(), count});
    shared.frames_read += count;
    if (after_block) after_block();
  }
  result.read_error = signal.Error();
  if (ended && !result.Failed()) resampler.Finish();
  result.write_error = output.Flush();
  if (result.Failed()) shared.stop = true;
  return result;
}

}  // namespace orvano::decode
