#include "decode/unsized_wave_data.h"

#include <array>
#include <cstring>

#include "common/byte_order.h"

namespace orvano::decode {
namespace {

// Enough for every chunk a recorder or editor puts before the data.
constexpr int kMostChunks = 4096;

// The unsized data chunk of a RIFF WAVE file, read from its start.
std::optional<UnsizedWaveData> WalkChunks(ByteStream& bytes) {
  const std::uint64_t size = bytes.Size();
  std::array<std::uint8_t, 12> riff{};
  if (size < riff.size()) return std::nullopt;
  bytes.Seek(0);
  bytes.Read(riff);
  if (std::memcmp(riff.data(), "RIFF", 4) != 0 || std::memcmp(riff.data() + 8, "WAVE", 4) != 0) return std::nullopt;
  std::uint64_t at = riff.size();
  for (int chunks = 0; chunks < kMostChunks && at + 8 <= size && !bytes.Failed(); ++chunks) {
    std::array<std::uint8_t, 8> header{};
    bytes.Seek(at);
    bytes.Read(header);
    const std::uint32_t length = LoadLittle32(header.data() + 4);
    if (std::memcmp(header.data(), "data", 4) == 0) {
      if ((length != 0 && length != 0xFFFF'FFFFu) || at + 8 >= size) return std::nullopt;
      return UnsizedWaveData{at + 4, length, size - (at + 8)};
    }
    // Chunks start on even offsets.
    at += 8 + std::uint64_t{length} + (length & 1u);
  }
  return std::nullopt;
}

}  // namespace

std::optional<UnsizedWaveData> FindUnsizedWaveData(ByteStream& bytes) {
  if (bytes.Failed()) return std::nullopt;
  const std::uint64_t start = bytes.Position();
  const std::optional<UnsizedWaveData> found = WalkChunks(bytes);
  if (!bytes.Failed()) bytes.Seek(start);
  return found;
}

}  // namespace orvano::decode
