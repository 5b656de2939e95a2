#pragma once

#include <cstdint>

#include "common/tape_timing.h"
#include "encode/tape_signal.h"
#include "encode/wave_header.h"
#include "tape/tape_format.h"

namespace orvano::encode {

// The exact DataBytes an encoding will end with, known before anything is
// written, so that a source too large for a WAV file is refused up front.

// A header block behind its long leader; `bytes` is 16 for a file's header.
constexpr std::uint64_t HeaderBlockBytes(const TapeTiming& timing, std::uint64_t bytes = tape::kHeaderBytes) {
  return timing.long_leader_cells * CellBytes(timing) + bytes * FrameBytes(timing);
}

// Any other block behind its gap and short leader.
constexpr std::uint64_t DataBlockBytes(const TapeTiming& timing, std::uint64_t bytes) {
  return GapBytes(timing) + timing.short_leader_cells * CellBytes(timing) + bytes * FrameBytes(timing);
}

// The address words and the image.
constexpr std::uint64_t BinaryDataBytes(const TapeTiming& timing, std::uint64_t image_bytes) {
  return HeaderBlockBytes(timing) + DataBlockBytes(timing, tape::kAddressHeaderBytes + image_bytes);
}

// The program as it goes on tape (without a leading 0xFF) and its ten zeros.
constexpr std::uint64_t BasicDataBytes(const TapeTiming& timing, std::uint64_t program_bytes) {
  return HeaderBlockBytes(timing) + DataBlockBytes(timing, program_bytes + tape::kBasicTrailerBytes);
}

// Blocks of 256 bytes, the last one filled with end marks, and one end mark more.
constexpr std::uint64_t TextDataBytes(const TapeTiming& timing, std::uint64_t text_bytes) {
  const std::uint64_t blocks = (text_bytes + tape::kTextBlockBytes - 1) / tape::kTextBlockBytes;
  return HeaderBlockBytes(timing) + blocks * DataBlockBytes(timing, tape::kTextBlockBytes) + FrameBytes(timing);
}

// The RIFF size, DataBytes + 36, must fit its 32-bit field. A raw output
// keeps the same bound: its length is the same 32-bit count.
inline constexpr std::uint64_t kMaxDataBytes = UINT32_MAX - kRiffOverhead;

static_assert(BinaryDataBytes(kTiming1200, 1) == 840486, "a one-byte binary");
static_assert(BinaryDataBytes(kTiming1200, 0) == 2 * 419847 && BasicDataBytes(kTiming1200, 0) == 2 * 421431);
// At 2400 baud the leaders and the gap last as long; only the frames shrink.
static_assert(BinaryDataBytes(kTiming1200, 100) - BinaryDataBytes(kTiming2400, 100) == (16 + 106) * 396);

}  // namespace orvano::encode
