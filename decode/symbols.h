#pragma once

#include <cstdint>

namespace orvano::decode {

// The cycle file (.TX1) holds one character per cycle of the signal, the bit
// file (.TX2) one character per bit; neither has anything else in it.
inline constexpr std::uint8_t kShortCycle = '1';
inline constexpr std::uint8_t kLongCycle = '0';
inline constexpr std::uint8_t kOneBit = '1';
inline constexpr std::uint8_t kZeroBit = '0';

}  // namespace orvano::decode
