#include "app/help_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/menu_text.h"
#include "ops/operation.h"

namespace orvano::app {
namespace {

bool Mentions(const std::vector<std::string>& lines, std::string_view text) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

TEST(HelpTextTest, ExplainsEveryDecodeStepAndWhatItWrites) {
  const auto lines = HelpLines({});
  for (const ops::Operation& op : ops::Operations()) {
    if (op.menu != ops::Menu::Decode || op.summary.empty()) continue;
    EXPECT_TRUE(Mentions(lines, op.summary)) << op.menu_text;
  }
  for (const char* extension : {".MSR", ".TX1", ".TX2", ".CAS", ".BAS"}) EXPECT_TRUE(Mentions(lines, extension)) << extension;
}

TEST(HelpTextTest, ListsTheKeysButNotThoseOfCommandsNoWindowHas) {
  const ops::Command unavailable[] = {ops::cmZoom, ops::cmResize};
  const auto lines = HelpLines(unavailable);
  for (const ops::Operation& op : ops::Operations()) {
    if (op.key_hint.empty()) continue;
    const bool shown = Mentions(lines, "  " + std::string(op.key_hint) + " ");
    EXPECT_EQ(shown, op.command != ops::cmZoom && op.command != ops::cmResize) << op.key_hint;
  }
  for (const char* key : {"F10", "Esc", "Tab", "PgUp"}) EXPECT_TRUE(Mentions(lines, key)) << key;
}

TEST(HelpTextTest, NamesEveryOption) {
  const auto lines = HelpLines({});
  for (const char* option : {"LoadAddr", "StartAddr", "Write wave", "Baud", "Channel", "BASIC", "settings"}) {
    EXPECT_TRUE(Mentions(lines, option)) << option;
  }
}

}  // namespace
}  // namespace orvano::app
