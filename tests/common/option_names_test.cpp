#include "common/option_names.h"

#include <gtest/gtest.h>

namespace orvano {
namespace {

TEST(OptionNames, EveryNameReadsBackToItsChoice) {
  for (const auto name : BaudNames()) EXPECT_EQ(NameOf(*ReadBaud(name)), name);
  for (const auto name : ChannelNames()) EXPECT_EQ(NameOf(*ReadChannel(name)), name);
  for (const auto name : DialectNames()) EXPECT_EQ(NameOf(*ReadDialect(name)), name);
}

TEST(OptionNames, CaseDoesNotMatterAndStrangersAreRefused) {
  EXPECT_EQ(ReadDialect("MSX"), DialectChoice::Msx);
  EXPECT_EQ(ReadChannel("Right"), ChannelChoice::Right);
  EXPECT_EQ(ReadBaud("2400"), Baud::k2400);
  for (const char* text : {"", "1201", "msx2", "lef", "auto "}) {
    EXPECT_FALSE(ReadBaud(text) || ReadChannel(text) || ReadDialect(text)) << text;
  }
}

}  // namespace
}  // namespace orvano
