#include "app/file_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace orvano::app {
namespace {

using Lines = std::vector<std::string>;
using orvano::testing::BytesOf;

struct TextCase {
  const char* name;
  std::string bytes;
  Lines lines;
};

class TextLinesTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextLinesTest, SplitsAsMsxTextsAndListingsEndTheirLines) {
  EXPECT_EQ(TextLines(BytesOf(GetParam().bytes)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextLinesTest,
    ::testing::Values(TextCase{"crlf", "10 PRINT\r\n20 END\r\n", {"10 PRINT", "20 END"}},
                      TextCase{"lf_and_cr", "a\nb\rc", {"a", "b", "c"}},
                      TextCase{"empty_lines_stay", "a\r\n\r\nb\r\n", {"a", "", "b"}},
                      TextCase{"end_mark_ends_the_text", "10 REM\r\n\x1A\x1A\x1Ajunk", {"10 REM"}},
                      TextCase{"tabs_to_multiples_of_eight", "ab\tc\t\td", {"ab      c               d"}},
                      TextCase{"empty", "", {""}}),
    [](const ::testing::TestParamInfo<TextCase>& param_info) { return std::string(param_info.param.name); });

TEST(HexLinesTest, SixteenBytesALineWithTheirCharacters) {
  std::string bytes = "ABCDEFGHIJKLMNOP";
  bytes += std::string("\x00\x7F\xFE ", 4);
  const Lines lines = HexLines(BytesOf(bytes));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "00000000  41 42 43 44 45 46 47 48-49 4A 4B 4C 4D 4E 4F 50  ABCDEFGHIJKLMNOP");
  EXPECT_EQ(lines[1], "00000010  00 7F FE 20                                      ... ");
  EXPECT_TRUE(HexLines({}).empty());
}

struct KindCase {
  const char* path;
  ViewKind kind;
};

class ViewKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(ViewKindTest, TextsByTheirExtensionInAnyCase) { EXPECT_EQ(ViewKindOf(GetParam().path), GetParam().kind); }

INSTANTIATE_TEST_SUITE_P(Paths, ViewKindTest,
                         ::testing::Values(KindCase{"/t/GAME.BAS", ViewKind::Text}, KindCase{"/t/notes.txt", ViewKind::Text},
                                           KindCase{"/t/GAME.TX2", ViewKind::Text}, KindCase{"/t/GAME.CAS", ViewKind::Hex},
                                           KindCase{"/t/GAME.BIN", ViewKind::Hex}, KindCase{"/t.bas/README", ViewKind::Hex}));

class ReadForViewTest : public ::testing::Test {
 protected:
  orvano::testing::TempDir dir_;
};

TEST_F(ReadForViewTest, ShowsTheBeginningOfALargeFileAndSaysSo) {
  const std::string path = dir_.File("BIG.BIN");
  orvano::testing::WriteFile(path, std::string(kViewLimit + 5, 'x'));
  const FileView view = ReadForView(path);
  EXPECT_TRUE(view.error.empty());
  ASSERT_EQ(view.lines.size(), kViewLimit / 16 + 1);
  EXPECT_EQ(view.lines.back(), "[the first 1048576 of 1048581 bytes]");
}

TEST_F(ReadForViewTest, AnEmptyFileSaysItIsEmpty) {
  orvano::testing::WriteFile(dir_.File("E.BIN"), "");
  EXPECT_EQ(ReadForView(dir_.File("E.BIN")).lines, Lines{"[the file is empty]"});
}

TEST_F(ReadForViewTest, AMissingFileIsTheOpenFailure) {
  const FileView view = ReadForView(dir_.File("GONE.BAS"));
  EXPECT_EQ(view.error, "Error open file " + dir_.File("GONE.BAS"));
  EXPECT_TRUE(view.lines.empty());
}

}  // namespace
}  // namespace orvano::app
