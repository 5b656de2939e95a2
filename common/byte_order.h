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

}  // namespace orvano
