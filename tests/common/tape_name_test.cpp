#include "common/tape_name.h"

#include <gtest/gtest.h>

#include "common/file_names.h"

namespace orvano {
namespace {

TEST(ChooseTapeName, AsciiNamesKeepTheirBytes) {
  for (const char* path : {"/t/GAME.BIN", "/t/TESTPROG.CAS", "/t/.RAW", "x/a b.txt", "/t/A1_~!.BIN"}) {
    const TapeNameChoice choice = ChooseTapeName(path);
    EXPECT_EQ(choice.name, TapeName(path)) << path;
    EXPECT_FALSE(choice.transliterated) << path;
  }
  EXPECT_TRUE(ChooseTapeName("/t/TESTPROG.CAS").cut);
  EXPECT_FALSE(ChooseTapeName("/t/SIXSIX.CAS").cut);
}

TEST(ChooseTapeName, OtherLettersAreSpelledInLatinOrAsQuestionMarks) {
  const struct {
    const char* path;
    const char* name;
    bool cut;
  } cases[] = {
      {"/t/\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0.raw", "IGRA  ", false},          // Игра
      {"/t/\xD0\x96\xD0\xA9\xD0\xAF.CAS", "ZHSCHJ", true},                    // ЖЩЯ
      {"/t/\xC3\xA9t\xC3\xA9.BIN", "?t?   ", false},                          // été
      {"/t/A\xFF" "B.BIN", "A?B   ", false},                                  // no UTF-8
      {"/t/\xD0.BIN", "?     ", false},                                       // cut sequence
      {"/t/\xF0\x9F\x98\x80Z.BIN", "?Z    ", false},                          // an emoji
  };
  for (const auto& c : cases) {
    const TapeNameChoice choice = ChooseTapeName(c.path);
    EXPECT_EQ(choice.name, c.name) << c.path;
    EXPECT_TRUE(choice.transliterated) << c.path;
    EXPECT_EQ(choice.cut, c.cut) << c.path;
  }
}

}  // namespace
}  // namespace orvano
