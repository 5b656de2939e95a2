#include <gtest/gtest.h>

#include <algorithm>

#include "common/memory_stream.h"
#include "encode/tape_encoder.h"
#include "encode/tape_signal.h"
#include "tests/encode/signal_reader.h"

namespace orvano::encode {
namespace {

using namespace testing;
using Bytes = std::vector<std::uint8_t>;

TEST(WriteTapeByte, SendsStartBitDataLeastSignificantFirstAndTwoStopBits) {
  const struct {
    std::uint8_t value;
    const char* cells;
  } cases[] = {{0x00, "00000000011"}, {0xFF, "01111111111"}, {0x01, "01000000011"},
               {0x80, "00000000111"}, {0xA5, "01010010111"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.value));
    MemoryStream out;
    TapeEncoder(out, false).WriteTapeByte(c.value);
    ASSERT_EQ(out.Size(), 11 * kCellBytes);
    std::string cells;
    for (auto cell = out.Bytes().begin(); cell != out.Bytes().end(); cell += kCellBytes) {
      cells += std::equal(OneCell.begin(), OneCell.end(), cell) ? '1' : '0';
    }
    EXPECT_EQ(cells, c.cells);
    EXPECT_EQ(ReadSignal(out.Bytes()), std::vector{Frames({c.value})});
  }
}

TEST(TapeEncoder, CountsEveryByteWrittenBehindTheHeaderArea) {
  for (const bool wave : {false, true}) {
    MemoryStream out;
    TapeEncoder encoder(out, wave);
    encoder.StartSignal();
    encoder.WriteLeader(LongLeaderCells);
    encoder.WriteTapeName("TESTPROG");  // only six characters go on tape
    encoder.WriteGap();
    encoder.WriteLeader(3);
    EXPECT_EQ(encoder.DataBytes(), 72u * (7680 + 66 + 3) + 131070);
    EXPECT_EQ(out.Size(), encoder.DataBytes() + (wave ? 44u : 0u));
    const Bytes signal(out.Bytes().begin() + (wave ? 44 : 0), out.Bytes().end());
    EXPECT_EQ(ReadSignal(signal),
              (std::vector{Leader(7680), Frames({'T', 'E', 'S', 'T', 'P', 'R'}), Gap(65535), Leader(3)}));
  }
}

TEST(TapeEncoder, WaveHeaderCarriesBothSizesLittleEndian) {
  MemoryStream out;
  TapeEncoder encoder(out, true);
  encoder.StartSignal();
  encoder.WriteTapeByte(0x41);
  encoder.WriteWaveHeader();
  const Bytes expected = {
      'R', 'I', 'F', 'F', 0x3C, 0x03, 0, 0, 'W', 'A', 'V', 'E',                            // 792 + 36
      'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0, 0x44, 0xAC, 0, 0, 0x88, 0x58, 0x01, 0,  // 44100, 88200
      2, 0, 16, 0, 'd', 'a', 't', 'a', 0x18, 0x03, 0, 0,                                   // 792
  };
  ASSERT_EQ(out.Size(), 44u + 792u);
  EXPECT_EQ(Bytes(out.Bytes().begin(), out.Bytes().begin() + 44), expected);
  EXPECT_EQ(ReadSignal(Bytes(out.Bytes().begin() + 44, out.Bytes().end())), std::vector{Frames({0x41})});
}

}  // namespace
}  // namespace orvano::encode
