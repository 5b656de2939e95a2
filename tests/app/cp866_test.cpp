#include "app/cp866.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <set>

#include "app/oem_text.h"

namespace orvano::app {
namespace {

// The system's own converter is the reference for the printable bytes.
TEST(Cp866Test, PrintableBytesMatchTheSystemConverter) {
  iconv_t converter = iconv_open("UTF-32LE", "CP866");
  if (converter == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "no CP866 converter on this system";
  for (int byte = 0x20; byte < 0x100; ++byte) {
    if (byte == 0x7F) continue;
    char in = static_cast<char>(byte);
    unsigned char out[4] = {};
    char* in_ptr = &in;
    char* out_ptr = reinterpret_cast<char*>(out);
    std::size_t in_left = 1;
    std::size_t out_left = sizeof out;
    ASSERT_NE(iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left), static_cast<std::size_t>(-1));
    const char32_t expected = static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | out[3] << 24);
    EXPECT_EQ(Cp866ToUnicode(static_cast<std::uint8_t>(byte)), expected) << std::hex << byte;
  }
  iconv_close(converter);
}

TEST(Cp866Test, NoTwoGlyphsAlikeButTheBlanks) {
  std::set<char32_t> seen;
  for (int byte = 1; byte < 0x100; ++byte) {
    if (byte == 0x20) continue;
    EXPECT_TRUE(seen.insert(Cp866ToUnicode(static_cast<std::uint8_t>(byte))).second) << std::hex << byte;
  }
}

TEST(Cp866Test, LogGlyphs) {
  EXPECT_EQ(Cp866ToUnicode(0xFE), U'\u25A0');  // the bullet
  EXPECT_EQ(Cp866ToUnicode(0xB1), U'\u2592');  // the empty bar
  EXPECT_EQ(Cp866ToUnicode(0xDB), U'\u2588');  // the filled bar
  EXPECT_EQ(Cp866ToUnicode(0x00), U' ');
}

TEST(OemTextTest, WidensEveryByte) {
  EXPECT_EQ(WideText("\xFE Ok \x80"), std::wstring(L"\u25A0 Ok \u0410"));
}

}  // namespace
}  // namespace orvano::app
