#include "tape/bit_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/memory_stream.h"
#include "common/recording_reporter.h"

namespace orvano::tape {
namespace {

MemoryStream BitStream(std::string_view text) {
  return MemoryStream(std::vector<std::uint8_t>(text.begin(), text.end()));
}

TEST(ReadTapeByte, TakesDataBitsLeastSignificantFirstAndIgnoresFraming) {
  const struct {
    std::string frame;
    int value;  // -1: the frame is cut short
  } cases[] = {
      {"0" "10000000" "11", 0x01}, {"0" "00000001" "11", 0x80},
      {"1" "11111111" "00", 0xFF}, {"0" "11001011" "11", 0xD3},
      {"0" "x1y1z1?1" "11", 0xAA},  // only "1" is a 1 bit
      {"0" "\xB1" "1" "\x71" "1" "\x11" "1" "\x21" "\x30" "11", 0x2A},  // nor anything that differs in one bit
      {"", -1},                     {"0111111111", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.frame);
    MemoryStream bits = BitStream(c.frame);
    EXPECT_EQ(ReadTapeByte(bits), c.value < 0 ? 0 : c.value);
    EXPECT_EQ(bits.Position(), c.value < 0 ? 0u : 11u);
    EXPECT_EQ(bits.Status(), c.value < 0 ? StreamStatus::ReadPastEnd : StreamStatus::Ok);
  }
}

TEST(SeekStartBit, StopsOnTheNextZeroOrOneBeforeTheEnd) {
  const std::string long_leader(10000, '1');  // longer than one piece read at a time
  const struct {
    std::string text;
    std::uint64_t from;
    bool found;
    std::uint64_t position;
    StreamStatus status;
  } cases[] = {
      {"1110111", 0, true, 3, StreamStatus::Ok},
      {"0111", 0, true, 0, StreamStatus::Ok},
      {"1110", 0, true, 3, StreamStatus::Ok},
      {long_leader + "01", 0, true, 10000, StreamStatus::Ok},
      {"1111", 0, false, 3, StreamStatus::Ok},
      {long_leader, 0, false, 9999, StreamStatus::Ok},
      {"", 0, false, 0, StreamStatus::ReadPastEnd},  // nothing left: the read fails
      {"1110", 4, false, 4, StreamStatus::ReadPastEnd},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 12) + " from " + std::to_string(c.from));
    MemoryStream bits = BitStream(c.text);
    bits.Seek(c.from);
    EXPECT_EQ(SeekStartBit(bits), c.found);
    EXPECT_EQ(bits.Position(), c.position);
    EXPECT_EQ(bits.Status(), c.status);
  }
}

TEST(SeekStartBit, SetsTheProgressAfterEveryCharacterRead) {
  MemoryStream bits = BitStream(std::string(150, '1') + "0" + std::string(49, '1'));
  RecordingReporter reporter;
  Progress progress(reporter, "");
  EXPECT_TRUE(SeekStartBit(bits, &progress));
  // 151 characters of 200 read, the "0" included, before the step back.
  std::vector<int> expected;
  for (int percent = 1; percent <= 75; ++percent) expected.push_back(percent);
  EXPECT_EQ(reporter.ProgressValues(), expected);
}

}  // namespace
}  // namespace orvano::tape
