#include "app/table_layout.h"

#include <gtest/gtest.h>

namespace orvano::app {
namespace {

const std::wstring kRule(1, L'\u2500');

std::wstring Rule(std::size_t width) {
  std::wstring rule;
  for (std::size_t i = 0; i < width; ++i) rule += kRule;
  return rule;
}

TEST(TableLayoutTest, AlignsWordsLeftAndNumbersRight) {
  const ResultTable table{"Files on the tape",
                          {"#", "Name", "Type", "Bytes"},
                          {{"1", "GAME", "BASIC", "1234"}, {"2", "DATA", "binary", "56"}, {"10", "T", "text", "7"}}};
  const TableText text = LayOutTable(table);
  EXPECT_EQ(text.heading, L" #  Name  Type    Bytes");
  EXPECT_EQ(text.rule, Rule(23));
  EXPECT_EQ(text.rows, (std::vector<std::wstring>{L" 1  GAME  BASIC    1234",
                                                  L" 2  DATA  binary     56",
                                                  L"10  T     text        7"}));
}

TEST(TableLayoutTest, ShortRowsLeaveBlanksAndLongRowsAddColumns) {
  const ResultTable table{"", {"Name", "Status"}, {{"GAME"}, {"X", "ok", "extra"}}};
  const TableText text = LayOutTable(table);
  EXPECT_EQ(text.heading, L"Name  Status");
  EXPECT_EQ(text.rows, (std::vector<std::wstring>{L"GAME", L"X     ok      extra"}));
  EXPECT_EQ(text.rule, Rule(19));
}

TEST(TableLayoutTest, WidthsCountCharactersNotBytes) {
  const ResultTable table{"", {"Name", "Size"}, {{"\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0", "1"}, {"ab", ""}}};
  const TableText text = LayOutTable(table);
  EXPECT_EQ(text.rows[0], L"\u0418\u0433\u0440\u0430     1");
  EXPECT_EQ(text.rows[1], L"ab") << "a blank cell keeps the column numeric";
  EXPECT_EQ(text.heading, L"Name  Size");
}

TEST(TableLayoutTest, AnEmptyTableHasOnlyItsHeadings) {
  const TableText text = LayOutTable(ResultTable{"", {"Name"}, {}});
  EXPECT_EQ(text.heading, L"Name");
  EXPECT_TRUE(text.rows.empty());
}

}  // namespace
}  // namespace orvano::app
