#include "cli/command_line.h"

#include <gtest/gtest.h>

#include "ops/operation.h"

namespace orvano::cli {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, EverySubcommandOfTheTableRunsItsOwnOperation) {
  for (const ops::Operation& op : ops::Operations()) {
    if (op.subcommand.empty()) continue;
    Args args{std::string(op.subcommand), "a"};
    if (op.input == ops::Input::OutputAndSources) args.push_back("b");
    const ParsedCommandLine parsed = ParseCommandLine(args);
    ASSERT_TRUE(parsed.command) << op.subcommand << ": " << parsed.err;
    EXPECT_EQ(parsed.command->operation, &op);
  }
}

TEST(CommandLine, OptionsReachTheRequest) {
  const ParsedCommandLine parsed =
      ParseCommandLine(Args{"encode", "--load", "$C000", "game.bin", "--start", "49664", "--wave"});
  ASSERT_TRUE(parsed.command);
  EXPECT_EQ(parsed.command->files, Args{"game.bin"});
  EXPECT_EQ(parsed.command->options.LoadAddr, 0xC000);
  EXPECT_EQ(parsed.command->options.StartAddr, 0xC200);
  EXPECT_TRUE(parsed.command->options.WriteWave);
  // What is not given keeps the default.
  const ParsedCommandLine plain = ParseCommandLine(Args{"encode", "game.bin"});
  ASSERT_TRUE(plain.command);
  EXPECT_EQ(plain.command->options, ConversionOptions{});
}

TEST(CommandLine, WrongCommandLinesAreUsageErrorsWithAReason) {
  const struct {
    Args args;
    const char* reason;
  } cases[] = {
      {{}, "A subcommand is required"},
      {{"bogus"}, "bogus"},
      {{"recode"}, "FILE is required"},
      {{"recode", "a", "b"}, "b"},
      {{"encode", "--wave"}, "FILE is required"},
      {{"encode", "a.bin", "--fast"}, "--fast"},
      {{"encode", "a.bin", "--load"}, "--load"},
      {{"encode", "a.bin", "--start", "nine"}, "'nine' is no address"},
      {{"encode", "--load", "", "a.bin"}, "'' is no address"},
  };
  for (const auto& c : cases) {
    const ParsedCommandLine parsed = ParseCommandLine(c.args);
    EXPECT_FALSE(parsed.command) << c.reason;
    EXPECT_EQ(parsed.exit_status, kExitUsage) << c.reason;
    EXPECT_NE(parsed.err.find(c.reason), std::string::npos) << parsed.err;
    EXPECT_TRUE(parsed.out.empty()) << c.reason;
  }
}

TEST(CommandLine, HelpAndVersionEndWell) {
  for (const Args& args : {Args{"--help"}, Args{"encode", "--help"}, Args{"--version"}}) {
    const ParsedCommandLine parsed = ParseCommandLine(args);
    EXPECT_FALSE(parsed.command);
    EXPECT_EQ(parsed.exit_status, kExitSuccess);
    EXPECT_FALSE(parsed.out.empty()) << args.front();
  }
  EXPECT_EQ(ParseCommandLine(Args{"--version"}).out, "Orvano v2.3.1\n");
}

}  // namespace
}  // namespace orvano::cli
