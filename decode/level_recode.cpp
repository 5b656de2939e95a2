#include "decode/level_recode.h"

#include "common/byte_order.h"
#include "common/tape_timing.h"

namespace orvano::decode {
namespace {

// Half of a 16-bit step: a value closer to 0 than that rounds to 0.
constexpr float kHalfStep = 0.5f / 32768.0f;

std::uint16_t LevelOf(float sample) {
  const int high = sample > kHalfStep ? kHighLevel : 0;
  const int low = sample < -kHalfStep ? kLowLevel : 0;
  return static_cast<std::uint16_t>(high + low);
}

// Whole groups without branches, as in the recoder of 16-bit samples.
constexpr std::size_t kGroupSamples = 32;

}  // namespace

void RecodeToLevels(std::span<const float> samples, std::uint8_t* out) {
  const std::size_t grouped = samples.size() - samples.size() % kGroupSamples;
  const float* in = samples.data();
  for (std::size_t i = 0; i < grouped; i += kGroupSamples) {
    for (std::size_t j = 0; j < kGroupSamples; ++j) StoreLittle16(out + 2 * (i + j), LevelOf(in[i + j]));
  }
  for (std::size_t i = grouped; i < samples.size(); ++i) StoreLittle16(out + 2 * i, LevelOf(in[i]));
}

}  // namespace orvano::decode
