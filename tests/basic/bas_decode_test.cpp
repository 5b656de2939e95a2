#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "basic/bas_decode.h"
#include "common/recording_reporter.h"
#include "tests/basic/program_bytes.h"
#include "tests/support/temp_dir.h"

namespace orvano::basic {
namespace {

using testing::Bytes;
using testing::TempDir;
using Texts = std::vector<std::string>;

// 10 PRINT "HI", then the zero link word and the ten zero bytes that close a
// BASIC data block on tape.
const Bytes kProgram = {0x0D, 0x80, 0x0A, 0x00, 0x91, 0x20, 0x22, 0x48, 0x49, 0x22, 0x00, 0x00, 0x00,
                        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

class BasDecodeTest : public ::testing::Test {
 protected:
  Outcome Run(const std::string& source_name, DialectChoice dialect = DialectChoice::Auto) {
    names_.SourceName = dir_.File(source_name);
    return BasDecode(names_, dialect, reporter_);
  }
  Texts Opening() const {
    return {"Open file " + cas_ + " for reading", "Processing BAS file create " + bas_};
  }
  Texts With(Texts texts, const std::string& last) const {
    texts.push_back(last);
    return texts;
  }

  TempDir dir_;
  FileNameSet names_;
  RecordingReporter reporter_;
  const std::string cas_ = dir_.File("GAME.CAS");
  const std::string bas_ = dir_.File("GAME.BAS");
};

TEST_F(BasDecodeTest, ListsTheProgramBesideTheRecording) {
  testing::WriteFile(cas_, kProgram);
  EXPECT_EQ(Run("GAME.RAW"), Outcome::Success);
  EXPECT_EQ(reporter_.Texts(), With(With(Opening(), "listed as Korvet BASIC (nothing in it tells MSX from Korvet)"),
                                    "BAS file " + bas_ + " create successfully!!!"));
  EXPECT_EQ(testing::ReadText(bas_), "10 PRINT \"HI\"\r\n");
  EXPECT_EQ(names_.OutputName, cas_);
  EXPECT_EQ(names_.BasName, bas_);
  EXPECT_EQ(names_.SourceName, dir_.File("GAME.RAW"));
  // Log lines only, no progress, each an ordinary message.
  ASSERT_EQ(reporter_.Events().size(), 4u);
  for (const auto& event : reporter_.Events()) {
    EXPECT_EQ(event.kind, RecordingReporter::Event::Kind::Line);
    EXPECT_EQ(event.line, LineKind::Message) << event.text;
  }
}

TEST_F(BasDecodeTest, ListsAnMsxProgramAndSaysWhy) {
  const std::string data = ORVANO_TEST_DATA;
  testing::WriteFile(cas_, testing::ReadHexFile(data + "/msx.hex"));
  EXPECT_EQ(Run("GAME.RAW"), Outcome::Success);
  EXPECT_EQ(reporter_.Texts(), With(With(Opening(), "listed as MSX BASIC (constants and tokens fit MSX)"),
                                    "BAS file " + bas_ + " create successfully!!!"));
  EXPECT_EQ(testing::ReadFile(bas_), testing::ReadFile(data + "/msx.BAS"));
}

TEST_F(BasDecodeTest, WarnsOfEachDamageBeforeTheLastLine) {
  // 10 PRINT and a code without keyword, 20 an END that the data cuts off.
  testing::WriteFile(cas_, Bytes{0x08, 0x80, 0x0A, 0x00, 0x91, 0xFE, 0x00, 0x0E, 0x80, 0x14, 0x00, 0x81});
  EXPECT_EQ(Run("GAME.RAW", DialectChoice::Msx), Outcome::Success);
  const std::vector<RecordingReporter::Event> tail(reporter_.Events().begin() + 2, reporter_.Events().end());
  using Event = RecordingReporter::Event;
  EXPECT_EQ(tail,
            (std::vector<Event>{
                {Event::Kind::Line, "listed as MSX BASIC", 0, LineKind::Message},
                {Event::Kind::Line, "line 10: token 0xFE has no keyword", 0, LineKind::Warning},
                {Event::Kind::Line, "the program ends inside line 20, without its end mark", 0, LineKind::Warning},
                {Event::Kind::Line, "BAS file " + bas_ + " create successfully!!!", 0, LineKind::Message},
            }));
  EXPECT_EQ(testing::ReadText(bas_), "10 PRINT\xFE\r\n20 END\r\n");
}

TEST_F(BasDecodeTest, ListsAnEmptyProgramAsAnEmptyFile) {
  testing::WriteFile(cas_, Bytes{});
  EXPECT_EQ(Run("GAME.RAW"), Outcome::Success);
  EXPECT_EQ(reporter_.Texts(),
            With(With(With(Opening(), "listed as Korvet BASIC (nothing in it tells MSX from Korvet)"),
                      "the program ends before its first line, without its end mark"),
                 "BAS file " + bas_ + " create successfully!!!"));
  EXPECT_TRUE(testing::Exists(bas_));
  EXPECT_EQ(testing::ReadFile(bas_), Bytes{});
}

TEST_F(BasDecodeTest, ReportsAMissingProgramAndCreatesNothing) {
  EXPECT_EQ(Run("GAME.RAW"), Outcome::Failure);
  EXPECT_EQ(reporter_.Texts(), With(Opening(), "Error reading file: " + cas_));
  EXPECT_TRUE(testing::ListDir(dir_.Path()).empty());
  EXPECT_EQ(names_.OutputName, cas_);
  EXPECT_EQ(names_.BasName, bas_);
}

TEST_F(BasDecodeTest, SaysWhatTheTapeHeldWhenItWasNoProgram) {
  // The extraction just wrote a text; a binary lies beside from before.
  testing::WriteFile(dir_.File("GAME.BIN"), Bytes{1});
  names_.OutputName = dir_.File("GAME.TXT");
  EXPECT_EQ(Run("GAME.RAW"), Outcome::Failure);
  Texts expected = With(Opening(), "Error reading file: " + cas_);
  expected.push_back("The tape held a text file, not a BASIC program: it was written to " + dir_.File("GAME.TXT"));
  EXPECT_EQ(reporter_.Texts(), expected);
  // Without a run before it, the file beside tells.
  names_ = {};
  reporter_ = {};
  EXPECT_EQ(Run("GAME.RAW"), Outcome::Failure);
  EXPECT_EQ(reporter_.Texts().back(),
            "The tape held a binary file, not a BASIC program: it was written to " + dir_.File("GAME.BIN"));
}

TEST_F(BasDecodeTest, ReportsAListingThatCannotBeCreated) {
  testing::WriteFile(cas_, kProgram);
  ASSERT_EQ(::mkdir(bas_.c_str(), 0755), 0);  // a folder stands where the listing goes
  EXPECT_EQ(Run("GAME.RAW"), Outcome::Failure);
  EXPECT_EQ(reporter_.Texts(), With(Opening(), "Can't create file " + bas_));
}

TEST_F(BasDecodeTest, RefusesToListOverTheProgramItself) {
  testing::WriteFile(cas_, kProgram);
  ASSERT_EQ(::symlink("GAME.CAS", bas_.c_str()), 0);
  EXPECT_EQ(Run("GAME.RAW"), Outcome::Failure);
  EXPECT_EQ(reporter_.Texts(), With(Opening(), "Can't create file " + bas_ + ": it is the input file"));
  EXPECT_EQ(testing::ReadFile(cas_), kProgram);
}

TEST_F(BasDecodeTest, ReportsAWriteErrorAndKeepsTheEarlierListing) {
  // Enough lines that the listing outgrows the file-size limit set below.
  Bytes program;
  for (int line = 1; line <= 2000; ++line) {
    const Bytes record = {0x01, 0x80, static_cast<std::uint8_t>(line & 0xFF), static_cast<std::uint8_t>(line >> 8),
                          0x8F};
    program.insert(program.end(), record.begin(), record.end());
    program.insert(program.end(), 60, 'x');
    program.push_back(0x00);
  }
  program.insert(program.end(), {0x00, 0x00});
  testing::WriteFile(cas_, program);
  testing::WriteFile(bas_, "10 REM the earlier listing\r\n");

  auto* previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const Outcome outcome = Run("GAME.RAW");
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_EQ(outcome, Outcome::Failure);
  EXPECT_EQ(reporter_.Texts(), With(Opening(), "Write error in file " + bas_ + ": File too large"));
  EXPECT_EQ(testing::ReadText(bas_), "10 REM the earlier listing\r\n");
  EXPECT_EQ(testing::ListDir(dir_.Path()), (Texts{"GAME.BAS", "GAME.CAS"}));
}

}  // namespace
}  // namespace orvano::basic
