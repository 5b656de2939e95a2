#include "app/file_choice.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "common/file_stream.h"
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
            (Entries{{"..", true}, {"tapes", true}, {"game.raw", false}, {"ZAP.RAW", false}}));
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

struct OrderCase {
  const char* a;
  const char* b;
};

class ReadingOrderTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ReadingOrderTest, ComesFirstAsPeopleReadIt) {
  EXPECT_TRUE(ReadingOrder(GetParam().a, GetParam().b));
  EXPECT_FALSE(ReadingOrder(GetParam().b, GetParam().a));
}

INSTANTIATE_TEST_SUITE_P(
    Names, ReadingOrderTest,
    ::testing::Values(OrderCase{"apple.raw", "Banana.raw"}, OrderCase{"Apple.raw", "banana.raw"},
                      OrderCase{"tape9.raw", "TAPE10.raw"}, OrderCase{"tape2", "tape10"}, OrderCase{"a1b2", "a1b10"},
                      OrderCase{"TAPE", "tape"}, OrderCase{"tape01", "tape1"}, OrderCase{"tape", "tape.raw"},
                      OrderCase{"side-a", "side1"}, OrderCase{"side1", "sidea"},
                      OrderCase{"z", "\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0"},
                      OrderCase{"t99999999999999999999", "t100000000000000000000"}));

TEST(ReadingOrderTest, ANameIsNotBeforeItself) {
  for (const char* name : {"", "a", "tape10", "A01"}) EXPECT_FALSE(ReadingOrder(name, name)) << name;
}

TEST_F(FileChoiceTest, ListsInReadingOrder) {
  for (const char* name : {"tape10.raw", "Tape9.raw", "b.RAW", "A.raw"}) WriteFile(dir_.File(name), "x");
  EXPECT_EQ(ListEntries(dir_.Path(), "*.raw"),
            (Entries{{"..", true}, {"tapes", true}, {"A.raw", false}, {"b.RAW", false}, {"game.raw", false},
                     {"Tape9.raw", false}, {"tape10.raw", false}, {"ZAP.RAW", false}}));
}

TEST_F(FileChoiceTest, OpenReadsOnlyARegularFile) {
  EXPECT_TRUE(CanOpenForReading(dir_.File("game.raw")));
  EXPECT_FALSE(CanOpenForReading(dir_.File("gone.raw")));
  EXPECT_FALSE(CanOpenForReading(dir_.File("tapes")));
  ASSERT_EQ(::mkfifo(dir_.File("pipe.raw").c_str(), 0600), 0);
  EXPECT_FALSE(CanOpenForReading(dir_.File("pipe.raw")));
}

TEST_F(FileChoiceTest, DialogsStartInTheFolderOfTheLastChoice) {
  EXPECT_EQ(StartFolder({dir_.File("tapes/x.raw"), "/elsewhere/y.raw"}, "/fallback"), dir_.File("tapes"));
  EXPECT_EQ(StartFolder({dir_.File("gone/x.raw")}, "/fallback"), "/fallback");
  EXPECT_EQ(StartFolder({}, "/fallback"), "/fallback");
  EXPECT_EQ(StartFolder({"relative.raw"}, "/fallback"), "/fallback");
}

}  // namespace
}  // namespace orvano::app
