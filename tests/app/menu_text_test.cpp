#include "app/menu_text.h"

#include <gtest/gtest.h>

namespace orvano::app {
namespace {

struct HotKeyCase {
  const char* text;
  const char* toolkit;
};

class HotKeyTest : public ::testing::TestWithParam<HotKeyCase> {};

TEST_P(HotKeyTest, MovesTheMarkToTheToolkitNotation) {
  EXPECT_EQ(ToolkitHotKey(GetParam().text), GetParam().toolkit);
}

INSTANTIATE_TEST_SUITE_P(Texts, HotKeyTest,
                         ::testing::Values(HotKeyCase{"~F~ile", "&File"}, HotKeyCase{"E~x~it", "E&xit"},
                                           HotKeyCase{"Phase ~1~ decode", "Phase &1 decode"},
                                           HotKeyCase{"~C~AS/TXT/BIN decode", "&CAS/TXT/BIN decode"},
                                           HotKeyCase{"Cancel", "Cancel"}, HotKeyCase{"R&D", "R&&D"}));

TEST(AlignedItemsTest, HintsShareOneRightAlignedColumn) {
  const MenuEntry entries[] = {{"~N~ew", "F2"}, {"O~p~tions", ""}, {"E~x~it", "Alt-X"}};
  const auto items = AlignedItems(entries);
  ASSERT_EQ(items.size(), 3u);
  // Widest text "Options" (7), two blanks, hints right-aligned in 5 columns.
  EXPECT_EQ(items[0], "&New" + std::string(4 + 2 + 3, ' ') + "F2");
  EXPECT_EQ(items[1], "O&ptions" + std::string(2 + 5, ' '));
  EXPECT_EQ(items[2], "E&xit" + std::string(3 + 2, ' ') + "Alt-X");
  EXPECT_EQ(items[0].size(), items[1].size());
  EXPECT_EQ(items[1].size(), items[2].size());
}

TEST(AlignedItemsTest, MenuWithoutHintsKeepsItsTexts) {
  const MenuEntry entries[] = {{"~R~aw recode", ""}, {"~B~AS decode", ""}};
  const auto items = AlignedItems(entries);
  EXPECT_EQ(items[0], "&Raw recode");
  EXPECT_EQ(items[1], "&BAS decode");
}

}  // namespace
}  // namespace orvano::app
