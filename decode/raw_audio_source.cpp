#include "decode/raw_audio_source.h"

#include <algorithm>
#include <cctype>

#include "common/file_stream.h"
#include "common/messages.h"
#include "common/tape_timing.h"
#include "decode/sample_format.h"
#include "decode/short_samples.h"

namespace orvano::decode {
namespace {

// Reads at least this long go straight to the caller's floats.
constexpr std::size_t kReadBytes = 64 * 1024;

class RawSamples final : public AudioSource {
 public:
  explicit RawSamples(const std::string& path) : stream_(path, OpenMode::Read, kReadBytes) {
    facts_.format = "RAW, 16-bit PCM";
    facts_.sample_rate = kSampleRate;
    facts_.bits = 16;
    facts_.channels = 1;
    facts_.frames = stream_.Size() / kSampleBytes;
    facts_.seeks_exactly = true;
  }

  // Empty when the file is open, or why it is not.
  std::string Reason() const { return stream_.Failed() ? ReasonOf(stream_) : std::string(); }
  const AudioFacts& Facts() const override { return facts_; }
  const std::string& Error() const override { return error_; }

  std::size_t Read(std::span<float> interleaved) override {
    const std::uint64_t left = facts_.frames - next_frame_;
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(left, interleaved.size()));
    if (count == 0 || !error_.empty()) return 0;
    // The samples are read into the second half of the floats they become.
    std::uint8_t* bytes = reinterpret_cast<std::uint8_t*>(interleaved.data()) + count * kSampleBytes;
    stream_.Read({bytes, count * kSampleBytes});
    if (stream_.Failed()) {
      error_ = ReasonOf(stream_);
      return 0;
    }
    ShortsToFloats(bytes, count, interleaved.data());
    next_frame_ += count;
    return count;
  }

  bool Seek(std::uint64_t frame) override {
    if (!error_.empty() || frame > facts_.frames) return false;
    stream_.Seek(frame * kSampleBytes);
    next_frame_ = frame;
    return !stream_.Failed();
  }

 private:
  FileStream stream_;
  AudioFacts facts_;
  std::uint64_t next_frame_ = 0;
  std::string error_;
};

}  // namespace

OpenedAudio OpenRawSamples(const std::string& path) {
  auto source = std::make_unique<RawSamples>(path);
  std::string reason = source->Reason();
  if (!reason.empty()) return {nullptr, std::move(reason)};
  return {std::move(source), {}};
}

}  // namespace orvano::decode
