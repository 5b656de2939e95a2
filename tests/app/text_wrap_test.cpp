#include "app/text_wrap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/log_rows.h"

namespace orvano::app {
namespace {

// The rows as the screen shows them, indent included.
std::vector<std::wstring> Shown(std::wstring_view line, std::size_t width, std::size_t indent) {
  std::vector<std::wstring> rows;
  for (const RowSpan& span : WrapRows(line, width, indent)) {
    EXPECT_LE(span.indent + span.end - span.begin, std::max<std::size_t>(width, 1)) << "a row wider than the view";
    rows.push_back(std::wstring(span.indent, L'.') + std::wstring(line.substr(span.begin, span.end - span.begin)));
  }
  return rows;
}

struct WrapCase {
  const char* name;
  std::wstring line;
  std::size_t width;
  std::size_t indent;
  std::vector<std::wstring> rows;  // indent shown as dots
};

class WrapRowsTest : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapRowsTest, ShowsTheWholeLine) {
  EXPECT_EQ(Shown(GetParam().line, GetParam().width, GetParam().indent), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WrapRowsTest,
    ::testing::Values(
        WrapCase{"fits", L"abc", 5, 2, {L"abc"}},
        WrapCase{"exactly_fits", L"abcde", 5, 2, {L"abcde"}},
        WrapCase{"empty_line_is_one_row", L"", 5, 2, {L""}},
        WrapCase{"path_is_cut_where_room_ends", L"/tmp/abcdefgh", 6, 2, {L"/tmp/a", L"..bcde", L"..fgh"}},
        WrapCase{"breaks_after_a_word", L"Reading file GAME.RAW", 14, 2, {L"Reading file", L"..GAME.RAW"}},
        WrapCase{"blank_early_in_the_row_is_no_break", L"a bcdefghijk", 6, 0, {L"a bcde", L"fghijk"}},
        WrapCase{"blanks_at_the_break_are_dropped", L"abcd   efgh", 6, 0, {L"abcd", L"efgh"}},
        WrapCase{"trailing_blanks_make_no_row", L"abc   ", 3, 0, {L"abc"}},
        WrapCase{"indent_wider_than_the_view_is_dropped", L"abcdef", 2, 4, {L"ab", L"cd", L"ef"}},
        WrapCase{"zero_width_is_one_column", L"ab", 0, 0, {L"a", L"b"}}),
    [](const ::testing::TestParamInfo<WrapCase>& param_info) { return std::string(param_info.param.name); });

struct IndentCase {
  std::wstring line;
  std::size_t indent;
};

class HangingIndentTest : public ::testing::TestWithParam<IndentCase> {};

TEST_P(HangingIndentTest, GoesOnUnderTheText) { EXPECT_EQ(HangingIndent(GetParam().line), GetParam().indent); }

INSTANTIATE_TEST_SUITE_P(Lines, HangingIndentTest,
                         ::testing::Values(IndentCase{L"  F1            Help: keys", 16},
                                           IndentCase{L"  Raw recode          clean it", 22},
                                           IndentCase{L"  a paragraph of text", 2}, IndentCase{L"plain text", 0},
                                           IndentCase{L"    ", 4}, IndentCase{L"", 0},
                                           IndentCase{L"ends in a gap  ", 15}));

TEST(LayOutLogTest, LongLinesWrapUnderTheirTextAndMarkersTakeNoRoom) {
  LogStore store;
  store.AddLine("|31|\xFE short");
  store.AddLine("|31|\xFE Reading file /tmp/games/GAME.RAW");
  const std::vector<LogRow> rows = LayOutLog(store, 22);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (LogRow{1, {0, 7, 0}}));
  EXPECT_EQ(rows[1], (LogRow{2, {0, 14, 0}}));
  EXPECT_EQ(rows[2], (LogRow{2, {15, 34, kLogIndent}}));
}

}  // namespace
}  // namespace orvano::app
