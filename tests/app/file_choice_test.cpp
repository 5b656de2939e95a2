#include "app/file_choice.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace orvano::app {
namespace {

using orvano::testing::TempDir;
using orvano::testing::WriteFile;
using Entries = std::vector<DirectoryEntry>;

class FileChoiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(dir_.File("tapes"));
    WriteFile(dir_.File("game.raw"), "x");
    WriteFile(dir_.File("ZAP.RAW"), "x");
    WriteFile(dir_.File("notes.txt"), "x");
    WriteFile(dir_.File("README"), "x");
  }

  TempDir dir_;
};

TEST_F(FileChoiceTest, ListsDirectoriesThenMatchingFilesWhateverTheirCase) {
  EXPECT_EQ(ListEntries(dir_.Path(), "*.RAW"),
            (Entries{{"..", true}, {"tapes", true}, {"ZAP.RAW", false}, {"game.raw", false}}));
}

TEST_F(FileChoiceTest, StarDotStarShowsEveryFile) {
  const Entries entries = ListEntries(dir_.Path(), "*.*");
  EXPECT_EQ(entries.size(), 6u);
  EXPECT_NE(std::find(entries.begin(), entries.end(), DirectoryEntry{"README", false}), entries.end());
}

TEST_F(FileChoiceTest, RootHasNoParentEntry) {
  const Entries entries = ListEntries("/", "*.NONE");
  ASSERT_FALSE(entries.empty());
  EXPECT_NE(entries.front().name, "..");
}

TEST_F(FileChoiceTest, MissingDirectoryListsOnlyTheWayUp) {
  EXPECT_EQ(ListEntries(dir_.File("gone"), "*.RAW"), (Entries{{"..", true}}));
}

struct TypedCase {
  const char* typed;
  TypedChoice::Kind kind;
  const char* path;  // relative to the test directory, "" for the directory itself
  const char* mask;
};

class ResolveTypedTest : public FileChoiceTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(ResolveTypedTest, TakesTheNameRelativeToTheShownDirectory) {
  const TypedCase& c = GetParam();
  const TypedChoice choice = ResolveTyped(dir_.Path(), c.typed);
  EXPECT_EQ(choice.kind, c.kind);
  if (c.kind != TypedChoice::Kind::None) {
    const std::string expected = std::string(c.path).empty() ? dir_.Path() : dir_.File(c.path);
    EXPECT_EQ(choice.path, expected);
  }
  EXPECT_EQ(choice.mask, c.mask);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ResolveTypedTest,
    ::testing::Values(TypedCase{"game.raw", TypedChoice::Kind::File, "game.raw", ""},
                      TypedCase{"  game.raw ", TypedChoice::Kind::File, "game.raw", ""},
                      TypedCase{"new.raw", TypedChoice::Kind::File, "new.raw", ""},
                      TypedCase{"tapes/../game.raw", TypedChoice::Kind::File, "game.raw", ""},
                      TypedCase{"./tapes/x.raw", TypedChoice::Kind::File, "tapes/x.raw", ""},
                      TypedCase{"tapes", TypedChoice::Kind::Directory, "tapes", ""},
                      TypedCase{"tapes/", TypedChoice::Kind::Directory, "tapes", ""},
                      TypedCase{"*.CAS", TypedChoice::Kind::Mask, "", "*.CAS"},
                      TypedCase{"tapes/*.r?w", TypedChoice::Kind::Mask, "tapes", "*.r?w"},
                      TypedCase{"", TypedChoice::Kind::None, "", ""},
                      TypedCase{"   ", TypedChoice::Kind::None, "", ""}));

TEST_F(FileChoiceTest, AbsoluteNameIsTakenAsItIs) {
  const TypedChoice choice = ResolveTyped("/somewhere/else", dir_.File("game.raw"));
  EXPECT_EQ(choice, (TypedChoice{TypedChoice::Kind::File, dir_.File("game.raw"), ""}));
}

TEST_F(FileChoiceTest, ParentOfADirectory) {
  const TypedChoice choice = ResolveTyped(dir_.File("tapes"), "..");
  EXPECT_EQ(choice, (TypedChoice{TypedChoice::Kind::Directory, dir_.Path(), ""}));
}

}  // namespace
}  // namespace orvano::app
