#include "tape/tape_copy.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "tape/bit_reader.h"
#include "tape/tape_format.h"

namespace orvano::tape {
namespace {

// Bytes are decoded a block of frames at a time, not one stream call each.
constexpr std::size_t kFramesPerBlock = 4096;

// How many whole frames the next read may take, at most `limit`; 0 when
// fewer than 11 characters are left or the stream already failed.
std::size_t WholeFrames(const ByteStream& bits, std::size_t limit) {
  if (bits.Failed()) return 0;
  return static_cast<std::size_t>(std::min<std::uint64_t>(bits.Remaining() / kFrameBits, limit));
}

bool GoOn(const ByteStream& bits, const ByteStream& out) {
  return bits.Position() != bits.Size() && !bits.Failed() && !out.Failed();
}

// Reads and decodes `bytes.size()` whole frames in one go.
bool ReadFrames(ByteStream& bits, std::vector<std::uint8_t>& chars, std::span<std::uint8_t> bytes) {
  const std::span<std::uint8_t> frames(chars.data(), bytes.size() * kFrameBits);
  bits.Read(frames);
  if (bits.Failed()) return false;
  DecodeFrames(frames, bytes);
  return true;
}

// Sets the progress as if the `count` frames from `start` on had been read
// one by one.
void ShowFrames(Progress& progress, std::uint64_t start, std::size_t count, std::uint64_t size) {
  for (std::size_t i = 1; i <= count; ++i) progress.Set(start + i * kFrameBits, size);
}

// The last frame, cut off by the end of the file, reads as 0 and leaves the
// bit stream in its error state; that 0 is written all the same.
void CopyCutFrame(ByteStream& bits, ByteStream& out, Progress& progress) {
  const std::uint8_t value = ReadTapeByte(bits);
  progress.Set(bits.Position(), bits.Size());
  out.WriteByte(value);
}

struct Block {
  std::uint64_t start;  // position of its first frame in the bit file
  std::span<std::uint8_t> bytes;
};

// Reads and decodes up to `limit` whole frames. When no whole frame is left
// it copies the cut frame instead; either way the copy ends when nothing
// comes back.
std::optional<Block> NextBlock(ByteStream& bits, ByteStream& out, Progress& progress,
                               std::vector<std::uint8_t>& chars, std::span<std::uint8_t> bytes,
                               std::size_t limit) {
  const std::size_t count = WholeFrames(bits, limit);
  if (count == 0) {
    CopyCutFrame(bits, out, progress);
    return std::nullopt;
  }
  const Block block{bits.Position(), bytes.first(count)};
  if (!ReadFrames(bits, chars, block.bytes)) return std::nullopt;
  return block;
}

}  // namespace

void CopyTapeBytes(ByteStream& bits, ByteStream& out, Progress& progress) {
  std::vector<std::uint8_t> chars(kFramesPerBlock * kFrameBits);
  std::vector<std::uint8_t> bytes(kFramesPerBlock);
  do {
    const auto block = NextBlock(bits, out, progress, chars, bytes, kFramesPerBlock);
    if (!block) return;
    ShowFrames(progress, block->start, block->bytes.size(), bits.Size());
    out.Write(block->bytes);
  } while (GoOn(bits, out));
}

void CopyTapeText(ByteStream& bits, ByteStream& out, Progress& progress) {
  std::vector<std::uint8_t> chars(kTextBlockBytes * kFrameBits);
  std::array<std::uint8_t, kTextBlockBytes> bytes;
  // The count of text bytes written, modulo 256: 0 where a block begins.
  std::uint8_t written = 0;
  do {
    if (written == 0) SeekStartBit(bits, &progress);
    const auto block = NextBlock(bits, out, progress, chars, bytes, kTextBlockBytes - written);
    if (!block) return;
    const std::span<std::uint8_t> text = block->bytes;
    const auto end = std::find(text.begin(), text.end(), kTextEnd);
    const auto kept = static_cast<std::size_t>(end - text.begin());
    ShowFrames(progress, block->start, end == text.end() ? text.size() : kept + 1, bits.Size());
    out.Write(text.first(kept));
    if (end != text.end()) return;
    written = static_cast<std::uint8_t>(written + text.size());
  } while (GoOn(bits, out));
}

}  // namespace orvano::tape
