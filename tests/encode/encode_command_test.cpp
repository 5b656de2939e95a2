#include <gtest/gtest.h>

#include <algorithm>

#include "cli/subcommands.h"
#include "common/recording_reporter.h"
#include "tests/encode/signal_reader.h"
#include "tests/support/temp_dir.h"

namespace orvano::cli {
namespace {

using Args = std::vector<std::string>;

const Subcommand& Encode() {
  const auto table = EncodeSubcommands();
  const auto found = std::find_if(table.begin(), table.end(), [](const Subcommand& c) { return c.name == "encode"; });
  EXPECT_NE(found, table.end());
  return *found;
}

TEST(EncodeCommand, WrongCommandLinesAreUsageErrorsWithAReason) {
  const struct {
    Args args;
    const char* reason;
  } cases[] = {
      {{}, "a FILE is needed"},
      {{"--wave"}, "a FILE is needed"},
      {{"a.bin", "b.bin"}, "exactly one FILE is needed, got 'b.bin'"},
      {{"a.bin", "--fast"}, "unknown option '--fast' for encode"},
      {{"a.bin", "--load"}, "--load needs an ADDR"},
      {{"a.bin", "--start", "nine"}, "'nine' is no address for --start"},
      {{"--load", "", "a.bin"}, "'' is no address for --load"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    RecordingReporter reporter;
    std::string error;
    EXPECT_EQ(Encode().run(c.args, reporter, error), kExitUsage);
    EXPECT_EQ(error, c.reason);
    EXPECT_TRUE(reporter.Events().empty());
  }
}

TEST(EncodeCommand, FlagsSetTheOptionsOfTheConversion) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("game.bin"), testing::Bytes{0xAA, 0xBB});
  RecordingReporter reporter;
  std::string error;
  const Args args{"--load", "$C000", dir.File("game.bin"), "--start", "49664", "--wave"};
  ASSERT_EQ(Encode().run(args, reporter, error), kExitSuccess);
  EXPECT_EQ(reporter.Texts()[11], "Set load&run addres to 0xC000 & 0xC200");
  const testing::Bytes wave = testing::ReadFile(dir.File("GAME.WAV"));
  const auto segments = encode::testing::ReadSignal({wave.begin() + 44, wave.end()});
  ASSERT_FALSE(segments.empty());
  EXPECT_EQ(segments.back(), encode::testing::Frames({0x00, 0xC0, 0x01, 0xC0, 0x00, 0xC2, 0xAA, 0xBB}));
}

TEST(EncodeCommand, FailuresExitWithOne) {
  testing::TempDir dir;
  for (const char* name : {"missing.bin", "notes.zip", "noextension"}) {
    SCOPED_TRACE(name);
    RecordingReporter reporter;
    std::string error;
    EXPECT_EQ(Encode().run(Args{dir.File(name)}, reporter, error), kExitFailure);
  }
  EXPECT_TRUE(testing::ListDir(dir.Path()).empty());
}

}  // namespace
}  // namespace orvano::cli
