#pragma once

#include <cstddef>
#include <cstdint>

namespace orvano::decode {

// A sample file is nothing but 16-bit signed little-endian mono samples at
// 44100 Hz: no header, no trailer. The rate is not stored; the cycle lengths
// that phase 1 tells apart are counted in samples at this rate.
inline constexpr std::size_t kSampleBytes = 2;
inline constexpr unsigned kSampleRate = 44100;

// The two levels of a clean square wave. The recoder writes them, and they
// are the levels the tape encoder synthesises, so a recoded recording and a
// made signal look alike to the decoder and to a cassette recorder.
inline constexpr std::int16_t kHighLevel = 5000;
inline constexpr std::int16_t kLowLevel = -5000;
static_assert(kHighLevel == 0x1388 && static_cast<std::uint16_t>(kLowLevel) == 0xEC78);

// Only the sign of a sample matters to the decoder, and the sign of a
// little-endian sample lives in the top bit of its second byte. Zero counts
// as not negative.
constexpr bool IsNegativeSample(std::uint8_t high_byte) { return (high_byte & 0x80u) != 0; }

}  // namespace orvano::decode
