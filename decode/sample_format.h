#pragma once

#include <cstddef>
#include <cstdint>

#include "common/tape_timing.h"

namespace orvano::decode {

// A sample file is nothing but 16-bit signed little-endian mono samples at
// 44100 Hz: no header, no trailer. The rate is not stored; the cycle lengths
// that phase 1 tells apart are counted in samples at this rate.
// The recoder writes the two levels of the tape encoder, so a recoded
// recording and a made signal look alike to the decoder and to a cassette
// recorder.
inline constexpr std::size_t kSampleBytes = 2;

// Only the sign of a sample matters to the decoder, and the sign of a
// little-endian sample lives in the top bit of its second byte. Zero counts
// as not negative.
constexpr bool IsNegativeSample(std::uint8_t high_byte) { return (high_byte & 0x80u) != 0; }

}  // namespace orvano::decode
