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
  const char* name;
  std::size_t length;  // of a line of "a"s
  std::string tail;    // what ends it
  std::size_t kept;
};

class LogStoreLengthTest : public ::testing::TestWithParam<LengthCase> {};

TEST_P(LogStoreLengthTest, CutsLongLinesButNeverInsideACharacter) {
  LogStore store;
  const std::string text = std::string(GetParam().length, 'a') + GetParam().tail;
  store.AddLine(text);
  EXPECT_EQ(store.Line(1), text.substr(0, GetParam().kept));
}

constexpr std::size_t kMax = LogStore::kLineLength;

INSTANTIATE_TEST_SUITE_P(
    Lengths, LogStoreLengthTest,
    ::testing::Values(LengthCase{"empty", 0, "", 0}, LengthCase{"a_path", 300, "", 300},
                      LengthCase{"just_fits", kMax, "", kMax}, LengthCase{"one_too_many", kMax, "z", kMax},
                      LengthCase{"two_byte_letter_across_the_cut", kMax - 1, "\xD0\x98", kMax - 1},
                      LengthCase{"four_byte_sign_across_the_cut", kMax - 2, "\xF0\x9F\x93\xBC", kMax - 2},
                      LengthCase{"letter_ending_at_the_cut", kMax - 2, "\xD0\x98z", kMax},
                      LengthCase{"no_character_in_a_run_of_continuations", kMax - 2, std::string(8, '\x80'), kMax}),
    [](const ::testing::TestParamInfo<LengthCase>& param_info) { return std::string(param_info.param.name); });

TEST(LogStoreTest, ViewFollowsWhileFillingAndStaysOnceFull) {
  LogStore store;
  EXPECT_TRUE(store.AddLine("a"));
  for (int n = 2; n < 200; ++n) store.AddLine("c");
  EXPECT_TRUE(store.AddLine("last to fill"));
  EXPECT_FALSE(store.AddLine("first past full"));
  EXPECT_FALSE(store.AddLine("again"));
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
