#include <gtest/gtest.h>

#include <optional>

#include "common/number_text.h"

namespace orvano {
namespace {

TEST(ReadAddress, AcceptsEveryNotation) {
  const struct {
    const char* text;
    std::optional<std::uint16_t> value;
  } cases[] = {
      {"0x9000", 0x9000}, {"0xc000", 0xC000}, {"0XC000", 0xC000}, {"49152", 0xC000},
      {"$C000", 0xC000},  {"$c000", 0xC000},  {"xC000", 0xC000},  {"XC000", 0xC000},
      {"0777", 777},      {"%101", 5},        {"&17", 15},        {"-1", 0xFFFF},
      {"70000", 0x1170},  {"  12", 12},       {"+5", 5},          {"-0x10", 0xFFF0},
      {"12 ", 12},        {"99999999999999999999999", 0xFFFF},
      {"", std::nullopt}, {"   ", std::nullopt}, {"0x", std::nullopt}, {"$", std::nullopt},
      {"-", std::nullopt}, {"12a", std::nullopt}, {"%102", std::nullopt}, {"&8", std::nullopt},
      {"1 2", std::nullopt}, {"0xG", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadAddress(c.text), c.value);
  }
}

TEST(ReadMarkerNumber, KeepsLowByteAndRefusesSigns) {
  EXPECT_EQ(ReadMarkerNumber("31"), 0x1F);
  EXPECT_EQ(ReadMarkerNumber("0x4E"), 0x4E);
  EXPECT_EQ(ReadMarkerNumber(" $1f"), 0x1F);
  EXPECT_EQ(ReadMarkerNumber("287"), 0x1F);
  EXPECT_EQ(ReadMarkerNumber("-1"), std::nullopt);
  EXPECT_EQ(ReadMarkerNumber("+1"), std::nullopt);
  EXPECT_EQ(ReadMarkerNumber("zz"), std::nullopt);
  EXPECT_EQ(ReadMarkerNumber("1 "), std::nullopt);
}

TEST(NumberText, FormatsHexAndDecimal) {
  EXPECT_EQ(Hex4(0x9000), "9000");
  EXPECT_EQ(Hex4(0x00AF), "00AF");
  EXPECT_EQ(AddressText(0xC000), "0xC000");
  EXPECT_EQ(AddressText(0), "0x0000");
  EXPECT_EQ(Decimal(0), "0");
  EXPECT_EQ(Decimal(18446744073709551615u), "18446744073709551615");
}

}  // namespace
}  // namespace orvano
