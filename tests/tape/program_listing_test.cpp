#include "tape/program_listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvano::tape {
namespace {

std::string Listing(const std::vector<std::uint8_t>& program) {
  return ListTapeProgram(program, DialectChoice::Auto).text;
}

TEST(ProgramListing, ListsAProgramAsTheTapeCarriesIt) {
  // 10 END, with its zero link.
  EXPECT_EQ(Listing({0x07, 0x80, 0x0A, 0x00, 0x81, 0x00, 0x00, 0x00}), "10 END\r\n");
  EXPECT_EQ(Listing({}), "");
}

TEST(ProgramListing, TakesNoFirstByteForTheMarkOfADiskFile) {
  // The first line's link ends in 0xFF; it is no disk file's mark.
  EXPECT_EQ(Listing({0xFF, 0x80, 0x14, 0x00, 0x81, 0x00, 0x00, 0x00}), "20 END\r\n");
}

}  // namespace
}  // namespace orvano::tape
