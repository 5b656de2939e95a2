#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

#include "decode/audio_source.h"
#include "tests/support/temp_dir.h"

namespace orvano::decode {
namespace {

using orvano::testing::TempDir;
using orvano::testing::WriteFile;

// 70001 bytes: samples counting up from -32768 in steps of 7, and one odd
// byte that is no sample.
std::vector<std::uint8_t> CountingSamples() {
  std::vector<std::uint8_t> bytes;
  for (int n = 0; n < 35000; ++n) {
    const auto value = static_cast<std::uint16_t>(-32768 + (n * 7) % 65536);
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  }
  bytes.push_back(0x55);
  return bytes;
}

float Expected(std::size_t n) {
  return static_cast<float>(static_cast<std::int16_t>(-32768 + static_cast<int>(n * 7 % 65536))) / 32768.0f;
}

TEST(RawSamples, ReadsEverySampleWhateverItsReadsAskFor) {
  TempDir dir;
  WriteFile(dir.File("GAME.RAW"), CountingSamples());
  for (const std::size_t ask : {std::size_t{1}, std::size_t{7}, std::size_t{32768}, std::size_t{40000}}) {
    SCOPED_TRACE(ask);
    OpenedAudio opened = OpenAudioFile(dir.File("GAME.RAW"));
    ASSERT_NE(opened.source, nullptr) << opened.reason;
    EXPECT_EQ(opened.source->Facts().frames, 35000u);
    std::vector<float> samples(ask);
    std::size_t next = 0;
    for (std::size_t count; (count = opened.source->Read(samples)) > 0;) {
      ASSERT_LE(count, ask);
      for (std::size_t i = 0; i < count; ++i, ++next) ASSERT_EQ(samples[i], Expected(next)) << next;
    }
    EXPECT_EQ(next, 35000u);
    EXPECT_EQ(opened.source->Error(), "");
    ASSERT_TRUE(opened.source->Rewind());
    ASSERT_EQ(opened.source->Read(samples), std::min<std::size_t>(ask, 35000));
    EXPECT_EQ(samples[0], -1.0f);
  }
}

TEST(RawSamples, AFileThatShrinksWhileReadEndsWithItsReason) {
  TempDir dir;
  WriteFile(dir.File("GAME.RAW"), CountingSamples());
  OpenedAudio opened = OpenAudioFile(dir.File("GAME.RAW"));
  ASSERT_NE(opened.source, nullptr);
  std::vector<float> samples(20000);
  EXPECT_EQ(opened.source->Read(samples), 20000u);
  ASSERT_EQ(::truncate(dir.File("GAME.RAW").c_str(), 50000), 0);
  EXPECT_EQ(opened.source->Read(samples), 0u);
  EXPECT_EQ(opened.source->Error(), "the file became shorter while it was read");
  EXPECT_EQ(opened.source->Read(samples), 0u);
}

}  // namespace
}  // namespace orvano::decode
