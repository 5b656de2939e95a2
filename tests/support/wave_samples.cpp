#include "tests/support/wave_samples.h"

#include <cstdint>
#include <cstring>
#include <algorithm>
#include <fstream>
#include <iterator>

namespace orvano::testing {
namespace {

std::uint32_t Little(const std::vector<std::uint8_t>& bytes, std::size_t at, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
  return value;
}

}  // namespace

WaveSamples ReadWaveSamples(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  WaveSamples wave;
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    return wave;
  }
  unsigned channels = 0;
  unsigned bits = 0;
  unsigned format = 0;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::uint32_t size = Little(bytes, at + 4, 4);
    const std::size_t body = at + 8;
    if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && body + 16 <= bytes.size()) {
      format = Little(bytes, body, 2);
      channels = Little(bytes, body + 2, 2);
      wave.sample_rate = Little(bytes, body + 4, 4);
      bits = Little(bytes, body + 14, 2);
    } else if (std::memcmp(bytes.data() + at, "data", 4) == 0 && channels != 0 && bits % 8 == 0 && bits != 0) {
      const std::size_t width = bits / 8;
      const std::size_t frame = width * channels;
      const std::size_t end = std::min<std::size_t>(bytes.size(), body + size);
      for (std::size_t i = body; i + frame <= end; i += frame) {
        if (format == 3 && bits == 32) {
          float value = 0;
          std::memcpy(&value, bytes.data() + i, 4);
          wave.samples.push_back(value);
        } else if (bits == 8) {
          wave.samples.push_back(static_cast<float>(bytes[i] - 128) / 128.0f);
        } else if (bits == 16) {
          wave.samples.push_back(static_cast<float>(static_cast<std::int16_t>(Little(bytes, i, 2))) / 32768.0f);
        }
      }
      return wave;
    }
    at = body + size + (size & 1u);
  }
  return wave;
}

}  // namespace orvano::testing
