#include <gtest/gtest.h>

#include "common/memory_stream.h"
#include "encode/tape_encoder.h"
#include "tests/encode/signal_reader.h"

namespace orvano::encode {
namespace {

using namespace testing;
using Bytes = std::vector<std::uint8_t>;

struct Speed {
  const char* name;
  const TapeTiming& timing;
  const CellShapes& shapes;
  std::size_t cell_bytes;
  std::size_t long_leader, short_leader;  // cells
};

const Speed kSpeeds[] = {
    {"1200", kTiming1200, kShapes1200, 72, 7680, 1920},
    {"2400", kTiming2400, kShapes2400, 36, 15360, 3840},
};

TEST(WriteTapeByte, SendsStartBitDataLeastSignificantFirstAndTwoStopBits) {
  const struct {
    std::uint8_t value;
    const char* cells;
  } cases[] = {{0x00, "00000000011"}, {0xFF, "01111111111"}, {0x01, "01000000011"},
               {0x80, "00000000111"}, {0xA5, "01010010111"}, {0xFE, "00111111111"}};
  for (const Speed& speed : kSpeeds) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(speed.name) + " baud, byte " + std::to_string(c.value));
      MemoryStream out;
      TapeEncoder(out, false, speed.timing).WriteTapeByte(c.value);
      ASSERT_EQ(out.Size(), 11 * speed.cell_bytes);
      EXPECT_EQ(CellBits(out.Bytes(), speed.shapes), c.cells);
      EXPECT_EQ(ReadSignal(out.Bytes(), speed.shapes), std::vector{Frames({c.value})});
    }
  }
}

TEST(TapeEncoder, BlocksStandBehindTheTimingsLeadersAndGap) {
  for (const Speed& speed : kSpeeds) {
    for (const bool wave : {false, true}) {
      SCOPED_TRACE(std::string(speed.name) + (wave ? " wave" : " raw"));
      MemoryStream out;
      TapeEncoder encoder(out, wave, speed.timing);
      encoder.StartSignal();
      encoder.StartHeaderBlock();
      encoder.WriteTapeName("TESTPROG");  // only six characters go on tape
      encoder.StartDataBlock();
      encoder.WriteTapeBytes(Bytes{0x00, 0xFF});
      encoder.WriteLeader(3);
      const std::size_t cells = speed.long_leader + 66 + speed.short_leader + 22 + 3;
      EXPECT_EQ(encoder.DataBytes(), speed.cell_bytes * cells + 131070);
      EXPECT_EQ(out.Size(), encoder.DataBytes() + (wave ? 44u : 0u));
      const Bytes signal(out.Bytes().begin() + (wave ? 44 : 0), out.Bytes().end());
      EXPECT_EQ(ReadSignal(signal, speed.shapes),
                (std::vector{Leader(speed.long_leader), Frames({'T', 'E', 'S', 'T', 'P', 'R'}), Gap(65535),
                             Leader(speed.short_leader), Frames({0x00, 0xFF}), Leader(3)}));
    }
  }
}

TEST(TapeEncoder, WaveHeaderCarriesBothSizesLittleEndian) {
  MemoryStream out;
  TapeEncoder encoder(out, true, kTiming1200);
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
