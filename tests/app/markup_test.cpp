#include "app/markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvano::app {
namespace {

// A rendered row written as text plus one attribute per cell, so that a case
// reads like the screen it stands for.
struct Row {
  std::wstring text;
  std::vector<std::uint8_t> attrs;
};

Row Render(std::string_view line, std::size_t width, std::uint8_t color = kLogColor) {
  std::vector<Cell> cells(width);
  RenderMarkup(line, color, cells);
  Row row;
  for (const Cell& cell : cells) {
    row.text += static_cast<wchar_t>(cell.ch);
    row.attrs.push_back(cell.attr);
  }
  return row;
}

// Attributes as runs: {count, attr}, ...
std::vector<std::uint8_t> Runs(std::initializer_list<std::pair<int, std::uint8_t>> runs) {
  std::vector<std::uint8_t> attrs;
  for (const auto& [count, attr] : runs) attrs.insert(attrs.end(), static_cast<std::size_t>(count), attr);
  return attrs;
}

struct MarkupCase {
  const char* name;
  std::string line;
  std::wstring text;  // the row, 8 cells
  std::vector<std::uint8_t> attrs;
};

class MarkupTest : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(MarkupTest, DrawsTheRowTheUserSees) {
  const MarkupCase& c = GetParam();
  const Row row = Render(c.line, 8);
  EXPECT_EQ(row.text, c.text);
  EXPECT_EQ(row.attrs, c.attrs);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, MarkupTest,
    ::testing::Values(
        MarkupCase{"plain", "abc", L"abc     ", Runs({{8, 0x17}})},
        MarkupCase{"marker_colours_the_rest", "abc|31|def", L"abcdef  ", Runs({{3, 0x17}, {3, 0x1F}, {2, 0x17}})},
        MarkupCase{"marker_closed_by_last_character", "x|31|", L"x       ", Runs({{8, 0x17}})},
        MarkupCase{"marker_never_closed", "x|31", L"x       ", Runs({{8, 0x17}})},
        MarkupCase{"marker_not_a_number", "x|zz|y", L"xy      ", Runs({{8, 0x17}})},
        MarkupCase{"hexadecimal_marker", "|0x4E|t", L"t       ", Runs({{1, 0x4E}, {7, 0x17}})},
        MarkupCase{"signed_marker_is_ignored", "|-1|t", L"t       ", Runs({{8, 0x17}})},
        MarkupCase{"two_bars_show_one", "a||b", L"a|b     ", Runs({{8, 0x17}})},
        MarkupCase{"two_bars_at_the_end_show_one", "a||", L"a|      ", Runs({{8, 0x17}})},
        MarkupCase{"one_bar_at_the_end_shows_nothing", "a|", L"a       ", Runs({{8, 0x17}})},
        MarkupCase{"utf8_path", "|31|\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0", L"\u0418\u0433\u0440\u0430    ",
                   Runs({{4, 0x1F}, {4, 0x17}})},
        MarkupCase{"dollar_prefix", "|$4E|t", L"t       ", Runs({{1, 0x4E}, {7, 0x17}})},
        MarkupCase{"x_prefix", "|x4E|t", L"t       ", Runs({{1, 0x4E}, {7, 0x17}})},
        MarkupCase{"binary_prefix", "|%1001110|t", L"t       ", Runs({{1, 0x4E}, {7, 0x17}})},
        MarkupCase{"octal_prefix", "|&116|t", L"t       ", Runs({{1, 0x4E}, {7, 0x17}})},
        MarkupCase{"leading_blanks_allowed", "|  78|t", L"t       ", Runs({{1, 0x4E}, {7, 0x17}})},
        MarkupCase{"trailing_blank_is_stray", "|78 |t", L"t       ", Runs({{8, 0x17}})},
        MarkupCase{"only_low_eight_bits", "|0x14E|t", L"t       ", Runs({{1, 0x4E}, {7, 0x17}})},
        MarkupCase{"leading_zero_is_decimal", "|031|t", L"t       ", Runs({{1, 0x1F}, {7, 0x17}})},
        MarkupCase{"later_marker_wins", "|31|a|0x4E|b", L"ab      ", Runs({{1, 0x1F}, {1, 0x4E}, {6, 0x17}})},
        MarkupCase{"bar_pair_after_colour_keeps_it", "|31|a||b", L"a|b     ", Runs({{3, 0x1F}, {5, 0x17}})},
        MarkupCase{"long_text_is_cut", "0123456789", L"01234567", Runs({{8, 0x17}})},
        MarkupCase{"empty_line_is_blank", "", L"        ", Runs({{8, 0x17}})}),
    [](const ::testing::TestParamInfo<MarkupCase>& param_info) { return std::string(param_info.param.name); });

TEST(MarkupTest, EveryLineStartsInTheColourItWasGiven) {
  // The first line's marker must not leak into the next one.
  const Row first = Render("abc|31|def", 6);
  const Row second = Render("ghi", 6);
  EXPECT_EQ(first.attrs.back(), 0x1F);
  EXPECT_EQ(second.attrs, Runs({{6, 0x17}}));
}

TEST(MarkupTest, BlanksTakeTheStartingColour) {
  const Row row = Render("|0x4E|t", 3, 0x70);
  EXPECT_EQ(row.attrs, Runs({{1, 0x4E}, {2, 0x70}}));
}

TEST(MarkupTest, OperationLinesShowBrightWhiteOnBlue) {
  EXPECT_EQ(MarkedLine(LineKind::Message, "Sucessfully!!!"), "|31|\xFE Sucessfully!!!");
  const Row row = Render(MarkedLine(LineKind::Message, "Reading file a"), 20);
  EXPECT_EQ(row.text[0], L'\u25A0');
  EXPECT_EQ(row.text.substr(1, 13), L" Reading file");
  EXPECT_EQ(row.attrs, Runs({{16, 0x1F}, {4, 0x17}}));
  EXPECT_EQ(Render(MarkedLine(LineKind::Warning, "x"), 3).attrs, Runs({{3, 0x1E}}));
}

TEST(MarkupTest, BarsInTheTextOfALineStayText) {
  // A path may hold bars, also as its last character; none of them is a marker.
  for (const std::string text : {"/tmp/a|31|b.raw", "x|", "|", "a||b|"}) {
    const std::vector<Cell> cells = MarkupCells(MarkedLine(LineKind::Message, text), kLogColor);
    std::wstring shown;
    for (const Cell& cell : cells) shown += static_cast<wchar_t>(cell.ch);
    EXPECT_EQ(shown, L"\u25A0 " + std::wstring(text.begin(), text.end())) << text;
  }
}

TEST(MarkupTest, CellsKeepTheWholeLine) {
  EXPECT_EQ(MarkupCells("|31|abcdefghij", kLogColor).size(), 10u);
  EXPECT_TRUE(MarkupCells("", kLogColor).empty());
}

}  // namespace
}  // namespace orvano::app
