#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "basic/mbf.h"

namespace orvano::basic {
namespace {

struct SingleCase {
  std::array<std::uint8_t, 4> bytes;
  double value;
};

const SingleCase kSingleCases[] = {
    {{0x3E, 0xB4, 0x16, 0x95}, 1234567.75},
    {{0x00, 0x00, 0xA0, 0x82}, -2.5},
    // The fraction's bytes are least significant first: b0 is the lowest.
    {{0x01, 0x00, 0x00, 0x81}, 1.0 + std::ldexp(1.0, -23)},
    {{0x00, 0x01, 0x00, 0x81}, 1.0 + std::ldexp(1.0, -15)},
    // Exponent byte 0 is 0 whatever the other bytes hold.
    {{0xFF, 0xFF, 0xFF, 0x00}, 0.0},
    // Exponent bytes 1 and 2 lie below an IEEE single's normal range; their
    // values are exact all the same.
    {{0x00, 0x00, 0x40, 0x01}, std::ldexp(1.5, -128)},
    {{0x01, 0x00, 0x80, 0x01}, -std::ldexp(1.0 + std::ldexp(1.0, -23), -128)},
    {{0x00, 0x00, 0x00, 0x02}, std::ldexp(1.0, -127)},
    {{0xFF, 0xFF, 0x7F, 0x03}, std::ldexp(2.0 - std::ldexp(1.0, -23), -126)},
    {{0xFF, 0xFF, 0xFF, 0xFF}, -std::ldexp(2.0 - std::ldexp(1.0, -23), 126)},
};

TEST(MbfSingleToIeee, GivesTheExactValue) {
  for (const auto& [bytes, value] : kSingleCases) {
    EXPECT_EQ(MbfSingleToIeee(bytes), value) << int{bytes[3]} << " " << int{bytes[2]};
  }
}

TEST(MbfSingleToIeee, MatchesTheIeeeSingleFromExponentThreeUp) {
  // Bit for bit: sign, exponent byte − 2, the same 23 fraction bits.
  for (int exponent = 3; exponent <= 255; exponent += 7) {
    const std::array<std::uint8_t, 4> bytes = {0x5A, 0xC3, 0xB7, static_cast<std::uint8_t>(exponent)};
    const std::uint32_t bits =
        (1u << 31) | (static_cast<std::uint32_t>(exponent - 2) << 23) | (0x37u << 16) | (0xC3u << 8) | 0x5Au;
    EXPECT_EQ(MbfSingleToIeee(bytes), static_cast<double>(std::bit_cast<float>(bits))) << exponent;
  }
}

struct DoubleCase {
  std::array<std::uint8_t, 8> bytes;
  double value;
};

const DoubleCase kDoubleCases[] = {
    {{0, 0, 0, 0, 0, 0, 0x20, 0x82}, 2.5},
    {{0, 0, 0, 0, 0, 0, 0xC0, 0x82}, -3.0},
    {{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0x00}, 0.0},
    // The lowest three of the 55 fraction bits are dropped, not rounded.
    {{0x07, 0, 0, 0, 0, 0, 0, 0x81}, 1.0},
    {{0x08, 0, 0, 0, 0, 0, 0, 0x81}, 1.0 + std::ldexp(1.0, -52)},
    {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x81}, 2.0 - std::ldexp(1.0, -52)},
    {{0, 0, 0, 0, 0, 0, 0, 0x01}, std::ldexp(1.0, -128)},
    {{0, 0, 0, 0, 0, 0, 0, 0xFF}, std::ldexp(1.0, 126)},
};

TEST(MbfDoubleToIeee, GivesTheValueWithItsTopFiftyTwoFractionBits) {
  for (const auto& [bytes, value] : kDoubleCases) {
    EXPECT_EQ(MbfDoubleToIeee(bytes), value) << int{bytes[7]} << " " << int{bytes[0]};
  }
}

}  // namespace
}  // namespace orvano::basic
