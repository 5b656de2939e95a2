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
      {"GAME  ", "GAME"},    {"  LOAD", "LOAD"},          {" A B  ", "A_B"},           {"      ", "NONAME"},
      {"", "NONAME"},        {"a-z_.!", "a-z_.!"},        {"#$()09", "#$()09"},        {"../x/y", ".._x_y"},
      {"A\\B:*?", "A_B___"}, {"\0\0\0\0\0\0"s, "______"}, {"\x8F\xE0OK\"'", "__OK__"},  // national letters are no
                                                                                        // letters of a file name
  };
  for (const auto& c : cases) EXPECT_EQ(SafeTapeName(c.tape_name), c.safe) << c.tape_name;
}

}  // namespace
}  // namespace orvano::tape
