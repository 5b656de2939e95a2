#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace orvano {

// Little-endian words at any address. On a little-endian machine each is one
// plain load or store, which lets the compiler turn the block kernels that
// use them into vector code.
inline std::uint64_t LoadLittle64(const std::uint8_t* p) {
  std::uint64_t word = 0;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  return word;
}

inline std::uint32_t LoadLittle32(const std::uint8_t* p) {
  std::uint32_t word = 0;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap32(word);
  return word;
}

inline std::uint16_t LoadLittle16(const std::uint8_t* p) {
  std::uint16_t word = 0;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap16(word);
  return word;
}

inline void StoreLittle16(std::uint8_t* p, std::uint16_t word) {
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap16(word);
  std::memcpy(p, &word, sizeof word);
}

// Bit j set where byte j of `word` (byte 0 lowest) equals `value`. The test
// for a zero byte is exact, without carries from one byte into the next, and
// the multiply gathers the eight flags into the top byte.
constexpr unsigned EqualBytesMask(std::uint64_t word, std::uint8_t value) {
  constexpr std::uint64_t kOnes = 0x0101'0101'0101'0101u;
  constexpr std::uint64_t kLow7 = 0x7F7F'7F7F'7F7F'7F7Fu;
  const std::uint64_t x = word ^ (kOnes * value);
  const std::uint64_t zero_bytes = ~(((x & kLow7) + kLow7) | x | kLow7);
  return static_cast<unsigned>(((zero_bytes >> 7) * 0x0102'0408'1020'4080u) >> 56);
}

}  // namespace orvano
