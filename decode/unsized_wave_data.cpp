#include "decode/unsized_wave_data.h"

#include <array>
#include <cstring>

namespace orvano::decode {
namespace {

std::uint32_t Little32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) | static_cast<std::uint32_t>(p[3]) << 24;
}

// Enough for every chunk a recorder or editor puts before the data.
constexpr int kMostChunks = 4096;

}  // namespace

std::optional<UnsizedWaveData> FindUnsizedWaveData(ByteStream& bytes) {
  const std::uint64_t start = bytes.Position();
  const std::uint64_t size = bytes.Size();
  std::optional<UnsizedWaveData> found;
  std::array<std::uint8_t, 12> riff{};
  if (size >= riff.size() && !bytes.Failed()) {
    bytes.Seek(0);
    bytes.Read(riff);
    if (std::memcmp(riff.data(), "RIFF", 4) == 0 && std::memcmp(riff.data() + 8, "WAVE", 4) == 0) {
      std::uint64_t at = riff.size();
      for (int chunks = 0; chunks < kMostChunks && at + 8 <= size && !bytes.Failed(); ++chunks) {
        std::array<std::uint8_t, 8> header{};
        bytes.Seek(at);
        bytes.Read(header);
        const std::uint32_t length = Little32(header.data() + 4);
        if (std::memcmp(header.data(), "data", 4) == 0) {
          if ((length == 0 || length == 0xFFFF'FFFFu) && at + 8 < size) found = UnsizedWaveData{at + 4, length, size - (at + 8)};
          break;
        }
        // Chunks start on even offsets.
        at += 8 + std::uint64_t{length} + (length & 1u);
      }
    }
  }
  if (!bytes.Failed()) bytes.Seek(start);
  return found;
}

}  // namespace orvano::decode
