#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvano::tape {

// A byte on tape is a frame of 11 bits: a 0 start bit, the eight data bits
// least significant first, and two 1 stop bits.
inline constexpr std::size_t kFrameBits = 11;
inline constexpr std::size_t kDataBits = 8;
inline constexpr std::size_t kStopBits = 2;
static_assert(1 + kDataBits + kStopBits == kFrameBits);

// The header block: the type byte ten times, then the six-byte tape name.
inline constexpr std::size_t kTypeByteCount = 10;
inline constexpr std::size_t kTapeNameBytes = 6;
inline constexpr std::size_t kHeaderBytes = kTypeByteCount + kTapeNameBytes;
static_assert(kHeaderBytes == 16);
// A reader knows the type by the tenth type byte alone; the nine before it
// are not compared with it or with one another.
inline constexpr std::size_t kTypeByteIndex = kTypeByteCount - 1;

inline constexpr std::uint8_t kBinaryType = 0xD0;
inline constexpr std::uint8_t kBasicType = 0xD3;
inline constexpr std::uint8_t kTextType = 0xEA;

// A binary data block starts with three little-endian words: load, end and
// execution address.
inline constexpr std::size_t kAddressHeaderBytes = 6;
inline constexpr std::size_t kAddressWords = 3;
static_assert(kAddressWords * 2 == kAddressHeaderBytes);

// Text goes in blocks of 256 bytes and ends with 0x1A, which also fills the
// last block.
inline constexpr std::size_t kTextBlockBytes = 256;
inline constexpr std::uint8_t kTextEnd = 0x1A;
static_assert(kTextBlockBytes == 256, "an 8-bit count of text bytes wraps at each block");

// A BASIC data block ends with ten zero bytes.
inline constexpr std::size_t kBasicTrailerBytes = 10;
// A tokenised BASIC file on disk may begin with 0xFF; the tape does not carry it.
inline constexpr std::uint8_t kDiskBasicMarker = 0xFF;

}  // namespace orvano::tape
