#include "app/user_text.h"

#include <gtest/gtest.h>

#include <string>

namespace orvano::app {
namespace {

struct DecodeCase {
  const char* name;
  std::string bytes;
  std::wstring text;
};

class TextFromUtf8Test : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(TextFromUtf8Test, ShowsUtf8AndEveryOtherByteThroughTheCodePage) {
  EXPECT_EQ(TextFromUtf8(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, TextFromUtf8Test,
    ::testing::Values(
        DecodeCase{"ascii", "GAME.RAW", L"GAME.RAW"},
        DecodeCase{"cyrillic_path", "/tmp/\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0.raw", L"/tmp/\u0418\u0433\u0440\u0430.raw"},
        DecodeCase{"three_bytes", "\xE2\x82\xAC", L"\u20AC"},
        DecodeCase{"four_bytes", "\xF0\x9F\x93\xBC", L"\U0001F4FC"},
        // The same word in code page 866 is no UTF-8, and shows as it was meant.
        DecodeCase{"code_page_866", "\x88\xA3\xE0\xA0", L"\u0418\u0433\u0440\u0430"},
        DecodeCase{"log_bullet", "\xFE Reading", L"\u25A0 Reading"},
        DecodeCase{"overlong_slash", "\xC0\xAF", L"\u2514\u043F"},
        DecodeCase{"overlong_three_bytes", "\xE0\x80\xAF", L"\u0440\u0410\u043F"},
        DecodeCase{"surrogate", "\xED\xA0\x80", L"\u044D\u0430\u0410"},
        DecodeCase{"past_the_last_code_point", "\xF4\x90\x80\x80", L"\u0407\u0420\u0410\u0410"},
        DecodeCase{"cut_short_at_the_end", "a\xD0", L"a\u2568"},
        DecodeCase{"lead_without_continuation", "\xD0z", L"\u2568z"},
        DecodeCase{"control_bytes_show_their_glyphs", std::string("\x01\x00\x1A", 3), L"\u263A \u2192"},
        DecodeCase{"empty", "", L""}),
    [](const ::testing::TestParamInfo<DecodeCase>& param_info) { return std::string(param_info.param.name); });

TEST(Utf8FromTextTest, TypedTextBecomesThePathItNames) {
  const std::string paths[] = {"GAME.RAW", "/tmp/\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0.raw", "\xE2\x82\xAC\xF0\x9F\x93\xBC",
                               ""};
  for (const std::string& path : paths) EXPECT_EQ(Utf8FromText(TextFromUtf8(path)), path) << path;
}

TEST(Utf8FromTextTest, AnUnpairedSurrogateBecomesTheReplacementMark) {
  EXPECT_EQ(Utf8FromText(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace orvano::app
