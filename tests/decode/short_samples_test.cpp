#include "decode/short_samples.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

namespace orvano::decode {
namespace {

std::vector<std::int16_t> Values(std::size_t count, std::uint32_t seed) {
  // The extremes and the values next to zero first, where a sign goes wrong.
  std::vector<std::int16_t> values{0, 1, -1, 32767, -32768, 255, 256, -256, 0x7F00, -0x7F01};
  std::mt19937 random(seed);
  while (values.size() < count) values.push_back(static_cast<std::int16_t>(random()));
  values.resize(count);
  return values;
}

std::vector<std::uint8_t> LittleEndian(const std::vector<std::int16_t>& values) {
  std::vector<std::uint8_t> bytes;
  for (const std::int16_t value : values) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
  }
  return bytes;
}

TEST(ShortsToFloats, ScalesEverySampleWhereverTheVectorsEnd) {
  for (std::size_t count = 0; count <= 41; ++count) {
    SCOPED_TRACE(count);
    const std::vector<std::int16_t> values = Values(count, static_cast<std::uint32_t>(count));
    const std::vector<std::uint8_t> bytes = LittleEndian(values);
    // Apart, and in the second half of the floats' own memory.
    std::vector<float> apart(count + 1, 99.0f);
    ShortsToFloats(bytes.data(), count, apart.data());
    std::vector<float> inside(count);
    if (count > 0) std::memcpy(reinterpret_cast<std::uint8_t*>(inside.data()) + 2 * count, bytes.data(), bytes.size());
    ShortsToFloats(reinterpret_cast<const std::uint8_t*>(inside.data()) + 2 * count, count, inside.data());
    for (std::size_t i = 0; i < count; ++i) {
      const float expected = static_cast<float>(values[i]) / 32768.0f;
      ASSERT_EQ(apart[i], expected) << i;
      ASSERT_EQ(inside[i], expected) << i;
    }
    EXPECT_EQ(apart[count], 99.0f);
  }
}

}  // namespace
}  // namespace orvano::decode
