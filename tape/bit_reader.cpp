#include "tape/bit_reader.h"

#include <algorithm>
#include <array>

#include "common/byte_order.h"
#include "decode/symbols.h"

namespace orvano::tape {
namespace {

// A leader is read in pieces of this many characters rather than one stream
// call per character; the stream is then put back just after the "0".
constexpr std::size_t kSeekChunk = 4096;

}  // namespace

bool SeekStartBit(ByteStream& bits, Progress* progress) {
  const std::uint64_t size = bits.Size();
  if (bits.Failed() || bits.Remaining() == 0) {
    // The read that fails here is what puts the stream into its error state.
    bits.ReadByte();
    if (progress != nullptr) progress->Set(bits.Position(), size);
    return false;
  }
  std::array<std::uint8_t, kSeekChunk> chunk;
  while (true) {
    const std::uint64_t start = bits.Position();
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(bits.Remaining(), chunk.size()));
    const std::span<std::uint8_t> piece(chunk.data(), count);
    bits.Read(piece);
    if (bits.Failed()) {
      if (progress != nullptr) progress->Set(bits.Position(), size);
      return false;
    }
    const auto zero = std::find(piece.begin(), piece.end(), decode::kZeroBit);
    const bool found = zero != piece.end();
    const std::uint64_t read = static_cast<std::uint64_t>(zero - piece.begin()) + (found ? 1 : 0);
    if (progress != nullptr) {
      for (std::uint64_t i = 1; i <= read; ++i) progress->Set(start + i, size);
    }
    if (found || start + read == size) {
      bits.Seek(start + read - 1);
      return found;
    }
  }
}

std::uint8_t FrameByte(std::span<const std::uint8_t, kFrameBits> frame) {
  // The eight data characters follow the start bit; each that is "1" sets
  // its bit, first character lowest.
  static_assert(kDataBits == 8);
  return static_cast<std::uint8_t>(EqualBytesMask(LoadLittle64(frame.data() + 1), decode::kOneBit));
}

std::uint8_t ReadTapeByte(ByteStream& bits) {
  // A short read delivers zeros and sets the error state, so a frame cut off
  // by the end of the file gives 0.
  std::array<std::uint8_t, kFrameBits> frame;
  bits.Read(frame);
  return FrameByte(frame);
}

void DecodeFrames(std::span<const std::uint8_t> frames, std::span<std::uint8_t> bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = FrameByte(frames.subspan(i * kFrameBits).first<kFrameBits>());
  }
}

}  // namespace orvano::tape
