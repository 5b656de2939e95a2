#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/settings_file.h"
#include "app/settings_store.h"
#include "tests/support/temp_dir.h"

namespace orvano::app {
namespace {

using orvano::testing::TempDir;

Settings Changed() {
  Settings settings;
  settings.options.LoadAddr = 0xC000;
  settings.options.StartAddr = 0x00AB;
  settings.options.WriteWave = true;
  settings.options.baud = Baud::k2400;
  settings.options.channel = ChannelChoice::Right;
  settings.options.dialect = DialectChoice::Korvet;
  settings.history = {"/tmp/\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0.raw", "/home/user/tapes/GAME.RAW", "/a=b #c"};
  return settings;
}

TEST(SettingsFileTest, ReadsBackWhatItWrites) {
  for (const Settings& settings : {Settings{}, Changed()}) {
    const auto read = ReadSettings(SettingsText(settings));
    ASSERT_TRUE(std::holds_alternative<Settings>(read)) << std::get<SettingsError>(read).reason;
    EXPECT_EQ(std::get<Settings>(read), settings);
  }
}

TEST(SettingsFileTest, LeavesOutNamesThatCannotStandOnALine) {
  Settings settings;
  settings.history = {"/ok", "/two\nlines", " /leading", "/trailing ", "", "/also ok"};
  const auto read = ReadSettings(SettingsText(settings));
  ASSERT_TRUE(std::holds_alternative<Settings>(read));
  EXPECT_EQ(std::get<Settings>(read).history, (std::vector<std::string>{"/ok", "/also ok"}));
}

TEST(SettingsFileTest, KeepsSixteenNames) {
  std::string text;
  for (int i = 0; i < 20; ++i) text += "history = /f" + std::to_string(i) + "\n";
  const auto read = ReadSettings(text);
  ASSERT_TRUE(std::holds_alternative<Settings>(read));
  const auto& history = std::get<Settings>(read).history;
  ASSERT_EQ(history.size(), 16u);
  EXPECT_EQ(history.front(), "/f0");
  EXPECT_EQ(history.back(), "/f15");
}

struct GoodCase {
  const char* name;
  std::string text;
  ConversionOptions options;
};

class GoodSettingsTest : public ::testing::TestWithParam<GoodCase> {};

TEST_P(GoodSettingsTest, ReadsTheOptions) {
  const auto read = ReadSettings(GetParam().text);
  ASSERT_TRUE(std::holds_alternative<Settings>(read)) << std::get<SettingsError>(read).reason;
  EXPECT_EQ(std::get<Settings>(read).options, GetParam().options);
}

ConversionOptions With(void (*change)(ConversionOptions&)) {
  ConversionOptions options;
  change(options);
  return options;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GoodSettingsTest,
    ::testing::Values(
        GoodCase{"empty_file_keeps_the_defaults", "", ConversionOptions{}},
        GoodCase{"comments_and_blank_lines", "# a note\n\n   \n# load-address = 1\n", ConversionOptions{}},
        GoodCase{"any_address_notation", "load-address=$C000\nstart-address =  49152 \n",
                 ConversionOptions{0xC000, 0xC000, false}},
        GoodCase{"crlf_lines", "write-wave = yes\r\nbaud = 2400\r\n",
                 With([](ConversionOptions& o) { o.WriteWave = true; o.baud = Baud::k2400; })},
        GoodCase{"words_in_any_case", "channel = MIX\nbasic = Msx\n",
                 With([](ConversionOptions& o) { o.channel = ChannelChoice::Mix; o.dialect = DialectChoice::Msx; })},
        GoodCase{"last_line_without_end", "baud = 2400", With([](ConversionOptions& o) { o.baud = Baud::k2400; })},
        GoodCase{"a_later_line_wins", "baud = 2400\nbaud = 1200\n", ConversionOptions{}}),
    [](const ::testing::TestParamInfo<GoodCase>& param_info) { return std::string(param_info.param.name); });

struct BadCase {
  const char* name;
  std::string text;
  SettingsError error;
};

class DamagedSettingsTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(DamagedSettingsTest, SaysWhereAndWhy) {
  const auto read = ReadSettings(GetParam().text);
  ASSERT_TRUE(std::holds_alternative<SettingsError>(read));
  EXPECT_EQ(std::get<SettingsError>(read), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DamagedSettingsTest,
    ::testing::Values(
        BadCase{"unknown_name", "baud = 1200\ncolour = red\n", {2, "unknown setting \"colour\""}},
        BadCase{"no_equals", "\nbaud 1200\n", {2, "no \"=\" in \"baud 1200\""}},
        BadCase{"address_no_number", "load-address = 0xG000", {1, "the value \"0xG000\" of load-address does not read"}},
        BadCase{"wave_not_yes_or_no", "write-wave = 1", {1, "the value \"1\" of write-wave does not read"}},
        BadCase{"baud_out_of_list", "baud = 4800", {1, "the value \"4800\" of baud does not read"}},
        BadCase{"channel_out_of_list", "channel = centre", {1, "the value \"centre\" of channel does not read"}},
        BadCase{"basic_out_of_list", "basic = gw", {1, "the value \"gw\" of basic does not read"}},
        BadCase{"empty_history", "history =   ", {1, "a history line names no file"}},
        BadCase{"nul_byte", std::string("baud = 1200\0", 12), {0, "it holds a NUL byte"}},
        BadCase{"too_large", std::string(kMaxSettingsBytes + 1, '#'), {0, "it is larger than 64 KB"}},
        BadCase{"long_value_is_shortened", "basic = " + std::string(50, 'x'),
                {1, "the value \"" + std::string(40, 'x') + "...\" of basic does not read"}}),
    [](const ::testing::TestParamInfo<BadCase>& param_info) { return std::string(param_info.param.name); });

struct PathCase {
  const char* xdg;
  const char* home;
  const char* path;
};

class SettingsPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(SettingsPathTest, FollowsTheBaseDirectoryRules) {
  EXPECT_EQ(SettingsPath(GetParam().xdg, GetParam().home), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(Environments, SettingsPathTest,
                         ::testing::Values(PathCase{"/x/conf", "/home/u", "/x/conf/orvano/settings"},
                                           PathCase{"/x/conf/", "/home/u", "/x/conf/orvano/settings"},
                                           PathCase{nullptr, "/home/u", "/home/u/.config/orvano/settings"},
                                           PathCase{"", "/home/u", "/home/u/.config/orvano/settings"},
                                           PathCase{"relative/conf", "/home/u", "/home/u/.config/orvano/settings"},
                                           PathCase{"/", nullptr, "/orvano/settings"},
                                           PathCase{nullptr, nullptr, ""}, PathCase{nullptr, "home", ""}));

class SettingsStoreTest : public ::testing::Test {
 protected:
  std::string Path() const { return dir_.File("conf/orvano/settings"); }

  TempDir dir_;
};

TEST_F(SettingsStoreTest, NoFileMeansTheDefaultsAndNoComplaint) {
  SettingsStore store(Path());
  EXPECT_EQ(store.Load(), Settings{});
  EXPECT_EQ(store.Complaint(), std::nullopt);
}

TEST_F(SettingsStoreTest, SavesIntoAFolderItMakesAndLoadsItBack) {
  SettingsStore(Path()).Save(Changed());
  SettingsStore again(Path());
  EXPECT_EQ(again.Load(), Changed());
  EXPECT_EQ(again.Complaint(), std::nullopt);
  EXPECT_EQ(orvano::testing::ListDir(dir_.File("conf/orvano")), std::vector<std::string>{"settings"});
}

TEST_F(SettingsStoreTest, ADamagedFileIsToldOnceAndGivesTheDefaults) {
  SettingsStore(Path()).Save(Changed());
  orvano::testing::WriteFile(Path(), "baud = 1200\nbaud = fast\n");
  SettingsStore store(Path());
  EXPECT_EQ(store.Load(), Settings{});
  EXPECT_EQ(store.Complaint(), "Settings file " + Path() +
                                   " is damaged in line 2: the value \"fast\" of baud does not read; the defaults are used");
  EXPECT_EQ(store.Complaint(), std::nullopt);
  store.Load();
  EXPECT_EQ(store.Complaint(), std::nullopt) << "told once per run";
}

TEST_F(SettingsStoreTest, AFolderInThePlaceOfTheFileCannotBeRead) {
  std::filesystem::create_directories(Path());
  SettingsStore store(Path());
  EXPECT_EQ(store.Load(), Settings{});
  EXPECT_EQ(store.Complaint(), "Settings file " + Path() + " cannot be read: Is a directory; the defaults are used");
}

TEST_F(SettingsStoreTest, AFileTooLargeIsNotRead) {
  std::filesystem::create_directories(dir_.File("conf/orvano"));
  orvano::testing::WriteFile(Path(), std::string(kMaxSettingsBytes + 1, '#'));
  SettingsStore store(Path());
  EXPECT_EQ(store.Load(), Settings{});
  EXPECT_NE(store.Complaint()->find("larger than 64 KB"), std::string::npos);
}

TEST_F(SettingsStoreTest, AFailedSaveIsToldOnce) {
  // A file where the folder should be: no user, root included, can write there.
  orvano::testing::WriteFile(dir_.File("conf"), "a file");
  SettingsStore store(Path());
  store.Save(Changed());
  store.Save(Changed());
  EXPECT_EQ(store.Complaint(), "Can't create file " + Path() + ": Not a directory");
  EXPECT_EQ(store.Complaint(), std::nullopt);
  EXPECT_EQ(orvano::testing::ReadText(dir_.File("conf")), "a file");
}

TEST_F(SettingsStoreTest, NoPlaceMeansNothingIsReadOrWritten) {
  SettingsStore store("");
  store.Save(Changed());
  EXPECT_EQ(store.Load(), Settings{});
  EXPECT_EQ(store.Complaint(), std::nullopt);
}

}  // namespace
}  // namespace orvano::app
