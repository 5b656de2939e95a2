#include "tape/tape_file_names.h"

#include <gtest/gtest.h>

#include <string>

namespace orvano::tape {
namespace {

using namespace std::string_literals;

TEST(TapeFileNames, MakeTheTapeNameSafeForAFileName) {
  const struct {
    std::string tape_name;
    std::string safe;
  } cases[] = {
      {"GAME  ", "GAME"},
      {"  LOAD", "LOAD"},
      {" A B  ", "A_B"},
      {"      ", "NONAME"},
      {"", "NONAME"},
      {"a-z_.!", "a-z_.!"},
      {"#$()09", "#$()09"},
      {"../x/y", ".._x_y"},
      {"A\\B:*?", "A_B___"},
      {"\0\0\0\0\0\0"s, "______"},
      {"\x8F\xE0OK\"'", "__OK__"},  // national letters are no letters of a file name
  };
  for (const auto& c : cases) EXPECT_EQ(SafeTapeName(c.tape_name), c.safe) << c.tape_name;
}

TEST(TapeFileNames, NumberEachFileByItsPlaceAndTypeItsContents) {
  TapeFile file;
  file.name = "GAME  ";
  const struct {
    FileType type;
    std::size_t place;
    std::string data;
  } cases[] = {
      {FileType::Basic, 1, "01-GAME.CAS"},
      {FileType::Binary, 9, "09-GAME.BIN"},
      {FileType::Text, 10, "10-GAME.TXT"},
      {FileType::Binary, 123, "123-GAME.BIN"},
  };
  for (const auto& c : cases) {
    file.type = c.type;
    EXPECT_EQ(DataFileName(c.place, file), c.data);
  }
  EXPECT_EQ(ListingFileName(2, file), "02-GAME.BAS");
}

TEST(TapeFileNames, PutANameInAFolder) {
  EXPECT_EQ(PathIn("out", "tape.cas"), "out/tape.cas");
  EXPECT_EQ(PathIn("out/", "tape.cas"), "out/tape.cas");
  EXPECT_EQ(PathIn("", "tape.cas"), "tape.cas");
  EXPECT_EQ(PathIn("/", "tape.cas"), "/tape.cas");
}

}  // namespace
}  // namespace orvano::tape
