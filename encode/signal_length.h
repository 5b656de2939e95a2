#pragma once

#include <cstdint>

#include "encode/tape_signal.h"
#include "encode/wave_header.h"
#include "tape/tape_format.h"

namespace orvano::encode {

// The exact DataBytes a conversion will end with, known from the source's
// size before anything is written, so that a source too large for a WAV file
// is refused up front.

inline constexpr std::uint64_t kHeaderBlockBytes =
    LongLeaderCells * kCellBytes + tape::kHeaderBytes * kFrameBytes;
// Every data block stands behind a gap and a short leader of its own.
inline constexpr std::uint64_t kBlockStartBytes = kGapBytes + ShortLeaderCells * kCellBytes;

// The address words and the image.
constexpr std::uint64_t BinaryDataBytes(std::uint64_t image_bytes) {
  return kHeaderBlockBytes + kBlockStartBytes + (tape::kAddressHeaderBytes + image_bytes) * kFrameBytes;
}

// The program as it goes on tape (without a leading 0xFF) and its ten zeros.
constexpr std::uint64_t BasicDataBytes(std::uint64_t program_bytes) {
  return kHeaderBlockBytes + kBlockStartBytes + (program_bytes + tape::kBasicTrailerBytes) * kFrameBytes;
}

// Blocks of 256 bytes, the last one filled with end marks, and one end mark more.
constexpr std::uint64_t TextDataBytes(std::uint64_t text_bytes) {
  const std::uint64_t blocks = (text_bytes + tape::kTextBlockBytes - 1) / tape::kTextBlockBytes;
  return kHeaderBlockBytes + blocks * (kBlockStartBytes + tape::kTextBlockBytes * kFrameBytes) + kFrameBytes;
}

// The RIFF size, DataBytes + 36, must fit its 32-bit field. A raw output
// keeps the same bound: its length is the same 32-bit count.
inline constexpr std::uint64_t kMaxDataBytes = UINT32_MAX - kRiffOverhead;

static_assert(BinaryDataBytes(1) == 840486, "a one-byte binary");
static_assert(BinaryDataBytes(0) == 2 * 419847 && BasicDataBytes(0) == 2 * 421431);

}  // namespace orvano::encode
