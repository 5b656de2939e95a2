#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvano::encode {

// The 44 bytes in front of the samples of a WAV output: a RIFF chunk of form
// WAVE holding a PCM format chunk (mono, 16 bits, 44100 Hz) and the data
// chunk. Only the two sizes depend on the signal.
struct WaveHeader {
  std::uint32_t riff_size = 36;  // file length minus 8
  std::uint32_t format_size = 16;
  std::uint16_t format_tag = 1;  // PCM
  std::uint16_t channels = 1;
  std::uint32_t samples_per_second = 44100;
  std::uint32_t bytes_per_second = 88200;
  std::uint16_t block_align = 2;
  std::uint16_t bits_per_sample = 16;
  std::uint32_t data_size = 0;
};

inline constexpr std::size_t kWaveHeaderBytes = 44;
// The header goes out in three writes: "RIFF", size and "WAVE"; the whole
// format chunk; "data" and its size.
inline constexpr std::size_t kRiffPartBytes = 12;
inline constexpr std::size_t kFormatPartBytes = 24;
inline constexpr std::size_t kDataPartBytes = 8;
static_assert(kRiffPartBytes + kFormatPartBytes + kDataPartBytes == kWaveHeaderBytes);
// What the RIFF size counts beyond the data: "WAVE", the format chunk and the
// data chunk's identifier and size.
inline constexpr std::uint32_t kRiffOverhead = kWaveHeaderBytes - 8;

WaveHeader WaveHeaderFor(std::uint32_t data_bytes);

// The header as it lies in the file, every field little-endian.
std::array<std::uint8_t, kWaveHeaderBytes> HeaderBytes(const WaveHeader& header);

}  // namespace orvano::encode
