#include <gtest/gtest.h>

#include "common/recording_reporter.h"
#include "common/reporter.h"

namespace orvano {
namespace {

TEST(Percent, IsExactInSixtyFourBitsAndClamped) {
  const struct {
    std::uint64_t position, size;
    int percent;
  } cases[] = {
      {0, 0, 0},
      {5, 0, 0},
      {0, 10, 0},
      {10, 10, 100},
      {11, 10, 100},
      {99, 100, 99},
      {21474837, 21474837, 100},              // the 32-bit product overflowed here
      {30000000, 60000000, 50},
      {(1ull << 33) - 1, 1ull << 33, 99},     // beyond 4 GiB
      {1ull << 32, 1ull << 33, 50},
      {UINT64_MAX - 1, UINT64_MAX, 99},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.position << "/" << c.size);
    EXPECT_EQ(Percent(c.position, c.size), c.percent);
  }
}

TEST(Progress, ReportsEveryChangeOnceAndClosesAtScopeEnd) {
  RecordingReporter reporter;
  {
    Progress progress(reporter, "Phase 1 decode");
    for (std::uint64_t position = 0; position <= 1000; ++position) progress.Set(position, 1000);
    EXPECT_TRUE(reporter.ProgressOpen());
  }
  EXPECT_FALSE(reporter.ProgressOpen());
  std::vector<int> expected;
  for (int p = 1; p <= 100; ++p) expected.push_back(p);
  EXPECT_EQ(reporter.ProgressValues(), expected);
  EXPECT_EQ(reporter.Events().front().text, "Phase 1 decode");
}

TEST(Progress, StepBackIsShown) {
  RecordingReporter reporter;
  Progress progress(reporter, "");
  progress.Set(51, 100);
  progress.Set(50, 100);
  progress.Set(49, 100);
  EXPECT_EQ(reporter.ProgressValues(), (std::vector<int>{51, 50, 49}));
}

TEST(Progress, OddSizesHitEveryBoundary) {
  for (std::uint64_t size : {1ull, 3ull, 7ull, 101ull, 333ull, 12345ull}) {
    RecordingReporter reporter;
    Progress progress(reporter, "");
    int expected_last = 0;
    std::vector<int> expected;
    for (std::uint64_t position = 0; position <= size; ++position) {
      progress.Set(position, size);
      const int percent = Percent(position, size);
      if (percent != expected_last) expected.push_back(percent);
      expected_last = percent;
    }
    EXPECT_EQ(reporter.ProgressValues(), expected) << size;
  }
}

TEST(Log, SaysWhatKindOfLineItIs) {
  RecordingReporter reporter;
  Log(reporter, "Reading file GAME.RAW");
  Warn(reporter, "Start address 0100 lies outside the image");
  EXPECT_EQ(reporter.Texts(), (std::vector<std::string>{"Reading file GAME.RAW", "Start address 0100 lies outside the image"}));
  EXPECT_EQ(reporter.Events()[0].line, LineKind::Message);
  EXPECT_EQ(reporter.Events()[1].line, LineKind::Warning);
}

}  // namespace
}  // namespace orvano
