// Any bytes as a tape image, played at the speed the input's length picks:
// the signal written must be exactly as long as the size check promised, and
// the listing must not trip. The same bytes as a source of each kind, packed
// into an image, must read back as the blocks that were packed.
#include <algorithm>
#include <cstdlib>

#include "common/byte_stream.h"
#include "common/recording_reporter.h"
#include "encode/image_signal.h"
#include "encode/signal_length.h"
#include "encode/tape_file_blocks.h"
#include "tape/cas_image.h"
#include "tape/image_files.h"

namespace {

// Keeps only the length of what is written.
class CountingStream final : public orvano::ByteStream {
 public:
  std::uint64_t Size() const override { return size_; }
  std::uint64_t Position() const override { return position_; }

 protected:
  void DoSeek(std::uint64_t position) override { position_ = position; }
  void DoRead(std::span<std::uint8_t>) override {}
  void DoWrite(std::span<const std::uint8_t> in) override {
    position_ += in.size();
    size_ = std::max(size_, position_);
  }

 private:
  std::uint64_t position_ = 0;
  std::uint64_t size_ = 0;
};

void PlayImage(std::span<const std::uint8_t> bytes) {
  const orvano::tape::CasImage image = orvano::tape::ReadCasImage(bytes);
  orvano::RecordingReporter reporter;
  orvano::tape::LogImageFiles("FUZZ.CAS", image, reporter);
  const orvano::TapeTiming& timing = bytes.size() % 2 == 0 ? orvano::kTiming1200 : orvano::kTiming2400;
  const std::uint64_t planned = orvano::encode::ImageDataBytes(image.blocks, timing);
  if (planned > orvano::encode::kMaxDataBytes) return;
  CountingStream out;
  {
    orvano::Progress progress(reporter, "fuzz");
    orvano::encode::TapeEncoder encoder(out, true, timing);
    encoder.StartSignal();
    orvano::encode::EncodeImageBlocks(image.blocks, encoder, out, progress);
    encoder.WriteWaveHeader();
    if (encoder.DataBytes() != planned) std::abort();
  }
  if (out.Size() != planned + 44 || reporter.ProgressOpen()) std::abort();
}

void PackAndRead(std::span<const std::uint8_t> bytes) {
  using orvano::encode::SourceKind;
  for (const SourceKind kind : {SourceKind::Binary, SourceKind::Basic, SourceKind::Text}) {
    const auto blocks = orvano::encode::TapeFileBlocks(kind, "FUZZ  ", bytes, {});
    const bool holds_marker = std::any_of(blocks.begin(), blocks.end(), [](const auto& block) {
      return std::search(block.begin(), block.end(), orvano::tape::kCasMarker.begin(),
                         orvano::tape::kCasMarker.end()) != block.end();
    });
    if (holds_marker) continue;
    const orvano::tape::CasImage read = orvano::tape::ReadCasImage(orvano::encode::ImageOfBlocks(blocks));
    if (!read.issues.empty() || read.blocks.size() != blocks.size()) std::abort();
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      const auto& got = read.blocks[i].bytes;
      if (got.size() < blocks[i].size() || !std::equal(blocks[i].begin(), blocks[i].end(), got.begin())) std::abort();
      if (!std::all_of(got.begin() + static_cast<std::ptrdiff_t>(blocks[i].size()), got.end(),
                       [](std::uint8_t byte) { return byte == 0; })) {
        std::abort();
      }
    }
    if (!orvano::encode::IsHeaderBlock(read.blocks.front().bytes)) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  PlayImage(bytes);
  PackAndRead(bytes);
  return 0;
}
