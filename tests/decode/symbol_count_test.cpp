#include "decode/symbol_count.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace orvano::decode {
namespace {

struct CountCase {
  const char* name;
  std::string symbols;
  SymbolCounts counts;
};

class CountSymbolsTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(CountSymbolsTest, CountsZerosOnesAndAll) {
  SymbolCounts counts;
  CountSymbols(testing::BytesOf(GetParam().symbols), counts);
  EXPECT_EQ(counts, GetParam().counts);
}

std::string Repeated(std::string_view unit, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += unit;
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, CountSymbolsTest,
    ::testing::Values(CountCase{"empty", "", {0, 0, 0}}, CountCase{"short_tail_only", "0110x", {2, 2, 5}},
                      CountCase{"one_group_of_sixteen", "0000000011111111", {8, 8, 16}},
                      // More groups of sixteen than a byte lane can count at once.
                      CountCase{"lanes_past_255_groups", Repeated("0111011101110111", 300) + "01",
                                {1201, 3601, 4802}},
                      CountCase{"others_count_as_neither", Repeated("0a1b", 40), {40, 40, 160}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(CountSymbolsTest, AddsUpOverBlocks) {
  SymbolCounts counts;
  CountSymbols(testing::BytesOf(std::string(1000, '1')), counts);
  CountSymbols(testing::BytesOf(std::string(17, '0')), counts);
  EXPECT_EQ(counts, (SymbolCounts{17, 1000, 1017}));
}

}  // namespace
}  // namespace orvano::decode
