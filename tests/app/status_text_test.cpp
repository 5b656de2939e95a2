#include "app/status_text.h"

#include <gtest/gtest.h>

namespace orvano::app {
namespace {

constexpr StatusItem kItems[] = {{"~F1~ Help", 182}, {"~F3~ Open", 31}, {"~Alt-X~ Exit", 1}};

struct ClickCase {
  int column;
  std::optional<Command> command;
};

class CommandAtTest : public ::testing::TestWithParam<ClickCase> {};

// " F1 Help  F3 Open  Alt-X Exit ": each item owns its blanks.
TEST_P(CommandAtTest, AClickRunsTheItemUnderIt) { EXPECT_EQ(CommandAt(kItems, GetParam().column), GetParam().command); }

INSTANTIATE_TEST_SUITE_P(Columns, CommandAtTest,
                         ::testing::Values(ClickCase{0, std::nullopt}, ClickCase{1, 182}, ClickCase{9, 182},
                                           ClickCase{10, 31}, ClickCase{18, 31}, ClickCase{19, 1},
                                           ClickCase{30, 1}, ClickCase{31, std::nullopt}));

TEST(StatusTextTest, HintStartsPastTheBar) { EXPECT_EQ(HintColumn(kItems), 33); }

struct FitCase {
  const char* hint;
  std::size_t room;
  const char* shown;
};

class FitHintTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitHintTest, CutsWithAnEllipsis) { EXPECT_EQ(FitHint(GetParam().hint, GetParam().room), GetParam().shown); }

INSTANTIATE_TEST_SUITE_P(Rooms, FitHintTest,
                         ::testing::Values(FitCase{"Classify the cycles", 30, "Classify the cycles"},
                                           FitCase{"Classify the cycles", 19, "Classify the cycles"},
                                           FitCase{"Classify the cycles", 18, "Classify the cy..."},
                                           FitCase{"Classify", 3, "Cla"}, FitCase{"Classify", 0, ""}));

}  // namespace
}  // namespace orvano::app
