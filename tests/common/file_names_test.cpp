#include <gtest/gtest.h>

#include "common/file_names.h"

namespace orvano {
namespace {

struct NameCase {
  const char* path;
  const char* ext;
  const char* changed;
  const char* ext_of;
  const char* name_of;
};

TEST(FileNames, SplitsAndChangesExtensions) {
  const NameCase cases[] = {
      {"/tapes/GAME.RAW", "MSR", "/tapes/GAME.MSR", ".RAW", "GAME"},
      {"GAME", "MSR", "GAME.MSR", "", "GAME"},
      {"GAME", "WAV", "GAME.WAV", "", "GAME"},
      {"/a.b/GAME", "TX1", "/a.b/GAME.TX1", "", "GAME"},
      {"GAME.OLD.RAW", "CAS", "GAME.OLD.CAS", ".RAW", "GAME.OLD"},
      {"/tapes/.RAW", "MSR", "/tapes/.MSR", ".RAW", ""},
      {"GAME.", "MSR", "GAME.MSR", ".", "GAME"},
      {"./x/game.raw", "TX2", "./x/game.TX2", ".raw", "game"},
      {"C:\\TAPES\\GAME.RAW", "MSR", "C:\\TAPES\\GAME.MSR", ".RAW", "C:\\TAPES\\GAME"},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ChangeExt(c.path, c.ext), c.changed);
    EXPECT_EQ(ExtOf(c.path), c.ext_of);
    EXPECT_EQ(NameOf(c.path), c.name_of);
  }
}

TEST(FileNames, LongPathsAreNeverCut) {
  const std::string deep = "/" + std::string(300, 'd') + "/GAME.RAW";
  EXPECT_EQ(ChangeExt(deep, "MSR"), "/" + std::string(300, 'd') + "/GAME.MSR");
}

TEST(FileNames, TapeNameIsSixCharactersPaddedOrCut) {
  EXPECT_EQ(TapeName("/tapes/GAME.RAW"), "GAME  ");
  EXPECT_EQ(TapeName("TESTPROG.CAS"), "TESTPR");
  EXPECT_EQ(TapeName("/tapes/.RAW"), "      ");
  EXPECT_EQ(TapeName("MixEd.bin"), "MixEd ");
}

TEST(FileNames, UpperCaseTouchesOnlyAsciiLetters) {
  EXPECT_EQ(UpperCaseName("game-1.bin"), "GAME-1.BIN");
  EXPECT_EQ(UpperCaseName("\x80\xE0z{}"), "\x80\xE0Z{}");
}

TEST(FileNames, UpperCaseFileNameKeepsTheDirectories) {
  EXPECT_EQ(UpperCaseFileName("/tmp/Tapes/game.bin"), "/tmp/Tapes/GAME.BIN");
  EXPECT_EQ(UpperCaseFileName("game.bin"), "GAME.BIN");
  EXPECT_EQ(ChangeExt(UpperCaseFileName("/tmp/Tapes/game.bin"), "RAW"), "/tmp/Tapes/GAME.RAW");
}

}  // namespace
}  // namespace orvano
