#include "decode/sample_recode.h"

#include "common/byte_order.h"
#include "decode/sample_format.h"

namespace orvano::decode {
namespace {

void RecodeSample(std::uint8_t* p) {
  const auto value = static_cast<std::int16_t>(LoadLittle16(p));
  const auto level = static_cast<std::uint16_t>((value > 0 ? kHighLevel : 0) + (value < 0 ? kLowLevel : 0));
  StoreLittle16(p, level);
}

// Whole groups of a fixed count have no branches and no remainder, which is
// what the compiler needs to turn them into vector code even at -O2.
constexpr std::size_t kGroupSamples = 32;

}  // namespace

void RecodeSamples(std::span<std::uint8_t> bytes) {
  const std::size_t samples = bytes.size() / kSampleBytes;
  const std::size_t grouped = samples - samples % kGroupSamples;
  std::uint8_t* p = bytes.data();
  for (std::size_t i = 0; i < grouped; i += kGroupSamples) {
    for (std::size_t j = 0; j < kGroupSamples; ++j) RecodeSample(p + kSampleBytes * (i + j));
  }
  for (std::size_t i = grouped; i < samples; ++i) RecodeSample(p + kSampleBytes * i);
}

}  // namespace orvano::decode
