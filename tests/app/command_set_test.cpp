#include "app/command_set.h"

#include <gtest/gtest.h>

namespace orvano::app {
namespace {

TEST(CommandNumbersTest, MatchTheMenusAndTheToolkit) {
  EXPECT_EQ(cmQuit, 1);
  EXPECT_EQ(cmClose, 4);
  EXPECT_EQ(cmOK, 10);
  EXPECT_EQ(cmCancel, 11);
  EXPECT_EQ(cmNew, 30);
  EXPECT_EQ(cmOpen, 31);
  EXPECT_EQ(cmCloseAll, 37);
  EXPECT_EQ(cmAbout, 170);
  EXPECT_EQ(cmOptions, 179);
  EXPECT_EQ(kDecodeCommands, (std::array<Command, 5>{171, 173, 175, 176, 177}));
}

TEST(CommandSetTest, DisablingTheDecodeSetLeavesTheOthers) {
  CommandSet set;
  set.Disable(kDecodeCommands);
  for (const Command command : kDecodeCommands) EXPECT_FALSE(set.Has(command)) << command;
  EXPECT_FALSE(set.HasAny(kDecodeCommands));
  for (const Command command : {cmQuit, cmClose, cmNew, cmOpen, cmAbout, cmOptions, Command{172}, Command{174}}) {
    EXPECT_TRUE(set.Has(command)) << command;
  }
}

TEST(CommandSetTest, EnableAfterDisableRestoresTheSet) {
  CommandSet set;
  const CommandSet all;
  set.Disable(kDecodeCommands);
  EXPECT_NE(set, all);
  set.Enable(kDecodeCommands);
  EXPECT_EQ(set, all);
}

TEST(CommandSetTest, AnyEnabledMemberCounts) {
  CommandSet set;
  set.Disable(kDecodeCommands);
  const std::array<Command, 1> one = {cmCasDecode};
  set.Enable(one);
  EXPECT_TRUE(set.HasAny(kDecodeCommands));
}

TEST(CommandSetTest, NumbersBeyondTheSetAreNeverEnabled) {
  CommandSet set;
  const std::array<Command, 1> far = {Command{1000}};
  set.Enable(far);
  EXPECT_FALSE(set.Has(1000));
}

}  // namespace
}  // namespace orvano::app
