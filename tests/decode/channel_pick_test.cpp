#include "decode/channel_pick.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvano::decode {
namespace {

TEST(PickChannel, TakesEveryFrameOfTheChannelWhereverTheVectorsEnd) {
  for (const unsigned channels : {1u, 2u, 3u, 6u}) {
    for (std::size_t count = 0; count <= 19; ++count) {
      // Sample c of frame i is 100 i + c.
      std::vector<float> frames(count * channels);
      for (std::size_t n = 0; n < frames.size(); ++n) frames[n] = static_cast<float>(n / channels * 100 + n % channels);
      for (unsigned channel = 0; channel < channels; ++channel) {
        SCOPED_TRACE(std::to_string(channels) + " channels, " + std::to_string(count) + " frames, channel " +
                     std::to_string(channel));
        std::vector<float> out(count + 1, -1.0f);
        PickChannel(frames.data(), count, channels, channel, out.data());
        for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(out[i], static_cast<float>(i * 100 + channel));
        EXPECT_EQ(out[count], -1.0f);
      }
    }
  }
}

}  // namespace
}  // namespace orvano::decode
