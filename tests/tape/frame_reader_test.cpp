#include "tape/frame_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace orvano::tape {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr double kCell = 0.001;

// Plays cells written as characters ('0', '1', and 'o', 'i' for cells
// heard under a dropout; anything else is skipped, so that frames can be
// spaced out) into the reader, one cell a millisecond from `start` on, and
// returns the time after the last one.
double Play(FrameReader& reader, const std::string& cells, double start) {
  double time = start;
  for (const char c : cells) {
    if (c == '0' || c == '1') {
      reader.Bit(c == '1' ? 1 : 0, time);
    } else if (c == 'o' || c == 'i') {
      reader.FadedBit(c == 'i' ? 1 : 0, time);
    } else {
      continue;
    }
    time += kCell;
  }
  return time;
}

// The cells of one frame with the given stop cells.
std::string Frame(std::uint8_t byte, const std::string& stop = "11") {
  std::string cells = "0";
  for (int bit = 0; bit < 8; ++bit) cells += (byte >> bit & 1) != 0 ? '1' : '0';
  return cells + stop + " ";
}

TEST(FrameReader, ReadsBytesLeastSignificantBitFirstWithTheirLeader) {
  FrameReader reader;
  reader.Leader(1.0, 1225.4, -6.5);
  const double end = Play(reader, "1111 " + Frame(0x01) + Frame(0x80) + Frame(0xD3) + "111", 2.0);
  reader.BlockEnd(end);
  reader.Leader(5.0, 2450.0, -12.0);
  reader.BlockEnd(Play(reader, Frame(0x1A), 6.0));

  const std::vector<TapeBlock> blocks = reader.TakeBlocks();
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].bytes, (Bytes{0x01, 0x80, 0xD3}));
  ASSERT_TRUE(blocks[0].signal.has_value());
  EXPECT_EQ(blocks[0].signal->start, 1.0);
  EXPECT_EQ(blocks[0].signal->end, end);
  EXPECT_EQ(blocks[0].signal->baud, 1225.4);
  EXPECT_EQ(blocks[0].signal->level_dbfs, -6.5);
  EXPECT_TRUE(blocks[0].signal->framing_errors.empty());
  EXPECT_EQ(blocks[1].bytes, Bytes{0x1A});
  EXPECT_EQ(blocks[1].signal->baud, 2450.0);
  EXPECT_TRUE(reader.TakeBlocks().empty());
}

TEST(FrameReader, CountsBadStopBitsAndFindsTheNextStartBit) {
  const struct {
    const char* what;
    std::string cells;
    Bytes bytes;
    std::vector<double> errors;  // times of the frames with bad stop bits
    std::vector<std::size_t> error_bytes;
  } cases[] = {
      {"clean", Frame(0x55) + Frame(0xAA), {0x55, 0xAA}, {}, {}},
      {"long pauses between frames", Frame(0x55) + "111111 " + Frame(0xAA) + "1", {0x55, 0xAA}, {}, {}},
      // The 0 in place of a stop bit is the next frame's start bit, as the
      // computer takes it, so a lost stop cell costs no byte.
      {"first stop cell is 0", Frame(0x55, "") + Frame(0xAA), {0x55, 0xAA}, {0.0}, {0}},
      {"second stop cell is 0", Frame(0x55, "1") + Frame(0xAA), {0x55, 0xAA}, {0.0}, {0}},
      {"two bad frames",
       Frame(0x01) + Frame(0x02, "") + Frame(0x03, "1") + Frame(0x04),
       {0x01, 0x02, 0x03, 0x04},
       {0.011, 0.020},
       {1, 2}},
      // Its byte is whole; the stop cells were never heard.
      {"block ends before the stop bits", Frame(0x55) + Frame(0x42, ""), {0x55, 0x42}, {}, {}},
      {"block ends inside a frame", Frame(0x55) + "0101", {0x55}, {}, {}},
      {"a start bit alone", "1110", {}, {}, {}},
      // Under a dropout the frames keep their places, and each frame with a
      // guessed cell counts as bad once.
      {"guessed stop cells", Frame(0x55, "oo") + Frame(0xAA), {0x55, 0xAA}, {0.0}, {0}},
      {"a guessed data cell", "0 1o101010 11 " + Frame(0xAA), {0x55, 0xAA}, {0.0}, {0}},
      {"a guessed cell after the stop bits starts a frame", Frame(0x55) + "i 01010101 11", {0x55, 0xAA}, {0.011}, {1}},
      {"a guessed cell between frames is no start bit", Frame(0x55) + "1 o " + Frame(0xAA), {0x55, 0xAA}, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FrameReader reader;
    reader.Leader(-1.0, 1200, -3);
    reader.BlockEnd(Play(reader, c.cells, 0.0));
    const std::vector<TapeBlock> blocks = reader.TakeBlocks();
    if (c.bytes.empty()) {
      EXPECT_TRUE(blocks.empty());
      continue;
    }
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].bytes, c.bytes);
    const auto& errors = blocks[0].signal->framing_errors;
    ASSERT_EQ(errors.size(), c.errors.size());
    for (std::size_t i = 0; i < errors.size(); ++i) EXPECT_NEAR(errors[i], c.errors[i], 1e-9);
    EXPECT_EQ(blocks[0].signal->framing_error_bytes, c.error_bytes);
  }
}

TEST(FrameReader, EndsBlocksThatTheDemodulatorLeftOpen) {
  FrameReader reader;
  // Bits with no leader before them still make a block, which starts with them.
  Play(reader, Frame(0x11), 3.0);
  // A new leader ends the block before it; of two leaders in a row, the
  // later one leads the block.
  reader.Leader(3.5, 2400, -1);
  reader.Leader(4.0, 1200, -1);
  const double last = Play(reader, Frame(0x22) + Frame(0x33, ""), 5.0) - kCell;
  // The recording ended inside a block.
  const std::vector<TapeBlock> blocks = reader.TakeBlocks();
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].bytes, Bytes{0x11});
  EXPECT_EQ(blocks[0].signal->start, 3.0);
  EXPECT_EQ(blocks[0].signal->end, 3.5);
  EXPECT_EQ(blocks[0].signal->baud, 0.0);
  EXPECT_EQ(blocks[1].bytes, (Bytes{0x22, 0x33}));
  EXPECT_EQ(blocks[1].signal->start, 4.0);
  EXPECT_EQ(blocks[1].signal->baud, 1200.0);
  EXPECT_DOUBLE_EQ(blocks[1].signal->end, last);
}

}  // namespace
}  // namespace orvano::tape
