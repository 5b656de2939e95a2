#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/recording_reporter.h"
#include "decode/operations.h"
#include "tape/cas_decode.h"
#include "tests/support/temp_dir.h"
#include "tests/tape/tape_builders.h"

namespace orvano::tape {
namespace {

using testing::Bytes;
using namespace std::string_literals;

Bytes Of(std::string_view text) { return Bytes(text.begin(), text.end()); }

TEST(DecodingChain, TakesARecordingToItsTapeFile) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += i % 50 == 49 ? '\n' : static_cast<char>('A' + i % 26);
  std::string filled = text;
  filled.resize(512, '\x1A');
  const std::string program = "\x0F\x80\x0A\x00\x91\x20\x22\x48\x49\x22\x00\x00\x00"s + std::string(10, '\0');
  const std::string image = "\x21\x00\x80\x3E\x41\x77\xC9"s;
  const struct {
    std::uint8_t type;
    std::vector<std::string> blocks;  // the data blocks after the header
    TapeFileKind kind;
    std::string ext, output;
  } cases[] = {
      {0xD3, {program}, TapeFileKind::Basic, "CAS", program},
      {0xEA, {filled.substr(0, 256), filled.substr(256), "\x1A"}, TapeFileKind::Text, "TXT", text},
      {0xD0, {"\x00\x90\x06\x90\x00\x90"s + image}, TapeFileKind::Binary, "BIN", image},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ext);
    testing::SignalBuilder signal;
    signal.Leader(300);
    signal.Bytes(Of(std::string(10, static_cast<char>(c.type)) + "DEMO  "));
    for (const std::string& block : c.blocks) signal.Block(Of(block));
    testing::TempDir dir;
    testing::WriteFile(dir.File("GAME.RAW"), signal.Raw());

    FileNameSet names;
    names.SourceName = dir.File("GAME.RAW");
    RecordingReporter reporter;
    ASSERT_EQ(decode::RawRecode(names, {}, reporter), Outcome::Success);
    ASSERT_EQ(decode::Phase1Decode(names, reporter), Outcome::Success);
    ASSERT_EQ(decode::Phase2Decode(names, reporter), Outcome::Success);
    const CasDecodeResult result = CasDecode(names, reporter);
    ASSERT_EQ(result.outcome, Outcome::Success);
    EXPECT_EQ(result.kind, c.kind);
    EXPECT_EQ(testing::ReadText(dir.File("GAME." + c.ext)), c.output);
    // One bit per cell: the leader, then the first frame of the header.
    EXPECT_EQ(testing::ReadText(dir.File("GAME.TX2")).substr(0, 311),
              testing::LeaderBits(300) + testing::FrameBits(std::string(1, static_cast<char>(c.type))));
  }
}

}  // namespace
}  // namespace orvano::tape
