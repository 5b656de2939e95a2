#include "encode/image_signal.h"

#include <algorithm>
#include <array>

#include "encode/signal_length.h"
#include "tape/tape_format.h"

namespace orvano::encode {
namespace {

constexpr std::array<std::uint8_t, 3> kTypeBytes{tape::kBinaryType, tape::kBasicType, tape::kTextType};

// Bytes encoded between two looks at the output and the progress.
constexpr std::size_t kChunkBytes = 4096;

std::uint64_t TotalBytes(std::span<const tape::TapeBlock> blocks) {
  std::uint64_t total = 0;
  for (const tape::TapeBlock& block : blocks) total += block.bytes.size();
  return total;
}

}  // namespace

bool IsHeaderBlock(std::span<const std::uint8_t> block) {
  if (block.size() < tape::kHeaderBytes) return false;
  const std::uint8_t type = block.front();
  if (std::find(kTypeBytes.begin(), kTypeBytes.end(), type) == kTypeBytes.end()) return false;
  return std::all_of(block.begin(), block.begin() + tape::kTypeByteCount,
                     [type](std::uint8_t byte) { return byte == type; });
}

std::uint64_t ImageDataBytes(std::span<const tape::TapeBlock> blocks, const TapeTiming& timing) {
  std::uint64_t total = 0;
  for (const tape::TapeBlock& block : blocks) {
    total += IsHeaderBlock(block.bytes) ? HeaderBlockBytes(timing, block.bytes.size())
                                        : DataBlockBytes(timing, block.bytes.size());
  }
  return total;
}

void EncodeImageBlocks(std::span<const tape::TapeBlock> blocks, TapeEncoder& encoder, const ByteStream& output,
                       Progress& progress) {
  const std::uint64_t total = TotalBytes(blocks);
  std::uint64_t done = 0;
  for (const tape::TapeBlock& block : blocks) {
    if (output.Failed()) return;
    if (IsHeaderBlock(block.bytes)) {
      encoder.StartHeaderBlock();
    } else {
      encoder.StartDataBlock();
    }
    const std::span<const std::uint8_t> bytes(block.bytes);
    for (std::size_t offset = 0; offset < bytes.size() && !output.Failed(); offset += kChunkBytes) {
      const std::span<const std::uint8_t> chunk = bytes.subspan(offset, std::min(kChunkBytes, bytes.size() - offset));
      encoder.WriteTapeBytes(chunk);
      done += chunk.size();
      progress.Set(done, total);
    }
  }
}

}  // namespace orvano::encode
