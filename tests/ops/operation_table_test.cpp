#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "common/recording_reporter.h"
#include "ops/operation.h"
#include "tests/support/temp_dir.h"

namespace orvano::ops {
namespace {

TEST(OperationTable, CommandNumbersAreTheToolkitsAndOurOwn) {
  EXPECT_EQ(cmQuit, 1);
  EXPECT_EQ(cmClose, 4);
  EXPECT_EQ(cmNew, 30);
  EXPECT_EQ(cmOpen, 31);
  EXPECT_EQ(cmCloseAll, 37);
  EXPECT_EQ(cmAbout, 170);
  EXPECT_EQ(cmOptions, 179);
  const std::set<Command> source(SourceCommands().begin(), SourceCommands().end());
  EXPECT_TRUE(source.contains(171) && source.contains(173) && source.contains(175) && source.contains(176) &&
              source.contains(177));
}

TEST(OperationTable, EveryCommandSubcommandAndKeyIsDeclaredOnce) {
  std::set<Command> commands;
  std::set<std::string_view> subcommands;
  std::set<Key> keys;
  for (const Operation& op : Operations()) {
    if (op.command != 0) {
      EXPECT_TRUE(commands.insert(op.command).second) << op.command;
    }
    if (!op.subcommand.empty()) {
      EXPECT_TRUE(subcommands.insert(op.subcommand).second) << op.subcommand;
      EXPECT_NE(op.run, nullptr) << op.subcommand;
    }
    if (op.key != Key::None) {
      EXPECT_TRUE(keys.insert(op.key).second) << op.menu_text;
    }
    if (op.menu != Menu::None) {
      EXPECT_FALSE(op.menu_text.empty()) << op.command;
    }
    EXPECT_EQ(FindByCommand(op.command), op.command == 0 ? nullptr : &op);
  }
}

// Each Decode item in menu order, on a tape made by New: every step must
// leave the output that the next one reads, so an item wired to the wrong
// step breaks the chain.
TEST(OperationTable, TheDecodeMenuRunsTheChainInOrder) {
  testing::TempDir dir;
  testing::WriteFile(dir.File("PROG.CAS"), testing::Bytes{0x01, 0x80, 0x0A, 0x00, 0x91, 0x20, 0x11, 0x00, 0x00, 0x00});
  RecordingReporter reporter;
  FileNameSet names;
  ConversionOptions options;
  Request encode{names, options, reporter, {dir.File("PROG.CAS")}, {}, 0, {}};
  ASSERT_EQ(FindByCommand(cmNew)->run(encode), Outcome::Success);

  names.SourceName = dir.File("PROG.RAW");
  const std::pair<Command, const char*> steps[] = {
      {cmRawRecode, "MSR"}, {cmPhase1Decode, "TX1"}, {cmPhase2Decode, "TX2"}, {cmCasDecode, "CAS"}, {cmBasDecode, "BAS"}};
  std::vector<Command> menu;
  for (const Operation& op : Operations()) {
    if (op.menu == Menu::Decode && op.input == Input::OpenedSource) menu.push_back(op.command);
  }
  ASSERT_EQ(menu.size(), std::size(steps));
  for (std::size_t i = 0; i < menu.size(); ++i) {
    EXPECT_EQ(menu[i], steps[i].first) << i;
    std::filesystem::remove(dir.File(std::string("PROG.") + steps[i].second));
    Request step{names, options, reporter, {names.SourceName}, {}, 0, {}};
    ASSERT_EQ(FindByCommand(menu[i])->run(step), Outcome::Success) << steps[i].second;
    EXPECT_TRUE(testing::Exists(dir.File(std::string("PROG.") + steps[i].second))) << steps[i].second;
  }
  EXPECT_EQ(testing::ReadText(dir.File("PROG.BAS")), "10 PRINT 0\r\n");
}

}  // namespace
}  // namespace orvano::ops
