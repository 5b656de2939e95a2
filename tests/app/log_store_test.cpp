#include "app/log_store.h"

#include <gtest/gtest.h>

#include <string>

namespace orvano::app {
namespace {

std::string Numbered(int n) { return "line " + std::to_string(n); }

TEST(LogStoreTest, StartsEmpty) {
  const LogStore store;
  EXPECT_EQ(store.Count(), 0);
  EXPECT_EQ(store.Line(1), "");
}

TEST(LogStoreTest, FullStoreDropsItsOldestLine) {
  LogStore store;
  for (int n = 1; n <= 201; ++n) store.AddLine(Numbered(n));
  EXPECT_EQ(store.Count(), 200);
  EXPECT_EQ(store.Line(1), Numbered(2));
  EXPECT_EQ(store.Line(200), Numbered(201));
  EXPECT_EQ(store.Line(201), "");
  EXPECT_EQ(store.Line(0), "");
}

TEST(LogStoreTest, KeepsOrderOverManyWrapArounds) {
  LogStore store;
  for (int n = 1; n <= 1000; ++n) store.AddLine(Numbered(n));
  for (int number = 1; number <= 200; ++number) EXPECT_EQ(store.Line(number), Numbered(800 + number));
}

struct LengthCase {
  std::size_t length;
  std::size_t kept;
};

class LogStoreLengthTest : public ::testing::TestWithParam<LengthCase> {};

TEST_P(LogStoreLengthTest, CutsAt142Bytes) {
  LogStore store;
  std::string text(GetParam().length, 'a');
  if (!text.empty()) text.back() = 'z';
  store.AddLine(text);
  EXPECT_EQ(store.Line(1), text.substr(0, GetParam().kept));
}

INSTANTIATE_TEST_SUITE_P(Lengths, LogStoreLengthTest,
                         ::testing::Values(LengthCase{0, 0}, LengthCase{141, 141}, LengthCase{142, 142},
                                           LengthCase{143, 142}, LengthCase{300, 142}));

TEST(LogStoreTest, CutAlsoAppliesOnceFull) {
  LogStore store;
  for (int n = 1; n <= 200; ++n) store.AddLine("x");
  store.AddLine(std::string(150, 'b'));
  EXPECT_EQ(store.Line(200).size(), 142u);
}

TEST(LogStoreTest, ScrollBarFollowsWhileFillingAndStaysOnceFull) {
  LogStore store;
  EXPECT_EQ(store.AddLine("a"), (ScrollRange{1, 1, 1}));
  EXPECT_EQ(store.AddLine("b"), (ScrollRange{2, 1, 2}));
  for (int n = 3; n < 200; ++n) store.AddLine("c");
  EXPECT_EQ(store.AddLine("last to fill"), (ScrollRange{200, 1, 200}));
  EXPECT_EQ(store.AddLine("first past full"), std::nullopt);
  EXPECT_EQ(store.AddLine("again"), std::nullopt);
}

struct TopLineCase {
  int value;
  int height;
  int top;
};

class TopLineTest : public ::testing::TestWithParam<TopLineCase> {};

TEST_P(TopLineTest, BottomRowShowsTheScrollValue) {
  EXPECT_EQ(TopLine(GetParam().value, GetParam().height), GetParam().top);
}

INSTANTIATE_TEST_SUITE_P(Rows, TopLineTest,
                         ::testing::Values(TopLineCase{0, 20, 1}, TopLineCase{3, 20, 1}, TopLineCase{20, 20, 1},
                                           TopLineCase{21, 20, 2}, TopLineCase{200, 20, 181},
                                           TopLineCase{200, 1, 200}));

}  // namespace
}  // namespace orvano::app
