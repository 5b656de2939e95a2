#include "app/progress_cells.h"

#include <gtest/gtest.h>

namespace orvano::app {
namespace {

struct CellCase {
  int value;
  int width;
  int cells;
};

class FilledCellsTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(FilledCellsTest, RoundsHalfToEven) {
  EXPECT_EQ(FilledCells(GetParam().value, GetParam().width, 100), GetParam().cells);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FilledCellsTest,
    ::testing::Values(CellCase{0, 36, 0}, CellCase{1, 36, 0}, CellCase{2, 36, 1}, CellCase{50, 36, 18},
                      CellCase{99, 36, 36}, CellCase{100, 36, 36}, CellCase{4, 36, 1}, CellCase{97, 36, 35},
                      // Exact halves: 0.5 and 2.5 go down, 1.5 and 3.5 go up.
                      CellCase{5, 10, 0}, CellCase{15, 10, 2}, CellCase{25, 10, 2}, CellCase{35, 10, 4},
                      // Out of range values are clamped.
                      CellCase{-5, 36, 0}, CellCase{150, 36, 36}));

TEST(ProgressCellsTest, RedrawsOnlyWhenTheFilledCellsChange) {
  ProgressCells bar(36);
  EXPECT_FALSE(bar.SetCurrent(0));  // the value it has
  EXPECT_FALSE(bar.SetCurrent(1));  // 0.36 cells: still none
  EXPECT_EQ(bar.Current(), 1);
  EXPECT_TRUE(bar.SetCurrent(2));  // 0.72 cells: the first
  EXPECT_EQ(bar.Shown(), 1);
  EXPECT_FALSE(bar.SetCurrent(2));  // same value twice
  EXPECT_FALSE(bar.SetCurrent(3));  // 1.08: still one
  EXPECT_TRUE(bar.SetCurrent(100));
  EXPECT_EQ(bar.Shown(), 36);
}

TEST(ProgressCellsTest, RedrawCountOverAWholePass) {
  // A pass that reports every percentage draws the bar once per cell.
  ProgressCells bar(36);
  int redraws = 0;
  for (int percent = 0; percent <= 100; ++percent) redraws += bar.SetCurrent(percent) ? 1 : 0;
  EXPECT_EQ(redraws, 36);
}

TEST(ProgressCellsTest, ClampsValuesOutsideTheRange) {
  ProgressCells bar(36);
  EXPECT_TRUE(bar.SetCurrent(250));
  EXPECT_EQ(bar.Current(), 100);
  EXPECT_EQ(bar.Shown(), 36);
  EXPECT_FALSE(bar.SetCurrent(100));
  EXPECT_TRUE(bar.SetCurrent(-3));
  EXPECT_EQ(bar.Current(), 0);
  EXPECT_EQ(bar.Shown(), 0);
}

}  // namespace
}  // namespace orvano::app
