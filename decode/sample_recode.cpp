#include "decode/sample_recode.h"

#include "decode/sample_format.h"

namespace orvano::decode {

void RecodeSamples(std::span<std::uint8_t> bytes) {
  constexpr auto kHigh = static_cast<std::uint16_t>(kHighLevel);
  constexpr auto kLow = static_cast<std::uint16_t>(kLowLevel);
  const std::size_t samples = bytes.size() / kSampleBytes;
  std::uint8_t* p = bytes.data();
  for (std::size_t i = 0; i < samples; ++i, p += kSampleBytes) {
    const auto value = static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
    const std::uint16_t level = value > 0 ? kHigh : value < 0 ? kLow : 0;
    p[0] = static_cast<std::uint8_t>(level & 0xFFu);
    p[1] = static_cast<std::uint8_t>(level >> 8);
  }
}

}  // namespace orvano::decode
