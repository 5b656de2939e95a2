#include "app/command_set.h"

#include <gtest/gtest.h>

#include "ops/operation.h"

namespace orvano::app {
namespace {

using namespace ops;

TEST(CommandSetTest, DisablingTheSourceCommandsLeavesTheOthers) {
  CommandSet set;
  set.Disable(SourceCommands());
  for (const Command command : SourceCommands()) EXPECT_FALSE(set.Has(command)) << command;
  EXPECT_FALSE(set.HasAny(SourceCommands()));
  for (const Command command : {cmQuit, cmClose, cmNew, cmOpen, cmAbout, cmOptions, Command{172}, Command{174}}) {
    EXPECT_TRUE(set.Has(command)) << command;
  }
}

TEST(CommandSetTest, EnableAfterDisableRestoresTheSet) {
  CommandSet set;
  const CommandSet all;
  set.Disable(SourceCommands());
  EXPECT_NE(set, all);
  set.Enable(SourceCommands());
  EXPECT_EQ(set, all);
}

TEST(CommandSetTest, AnyEnabledMemberCounts) {
  CommandSet set;
  set.Disable(SourceCommands());
  const std::array<Command, 1> one = {cmCasDecode};
  set.Enable(one);
  EXPECT_TRUE(set.HasAny(SourceCommands()));
}

TEST(CommandSetTest, NumbersBeyondTheSetAreNeverEnabled) {
  CommandSet set;
  const std::array<Command, 1> far = {Command{1000}};
  set.Enable(far);
  EXPECT_FALSE(set.Has(1000));
}

}  // namespace
}  // namespace orvano::app
