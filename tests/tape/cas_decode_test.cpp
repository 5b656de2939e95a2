#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/recording_reporter.h"
#include "tape/cas_decode.h"
#include "tests/decode/fault_injection.h"
#include "tests/support/temp_dir.h"
#include "tests/tape/tape_builders.h"

namespace orvano::tape {
namespace {

using testing::Bytes;
using testing::FrameBits;
using testing::HeaderBits;
using testing::LeaderBits;
using Lines = std::vector<std::string>;
using namespace std::string_literals;

// A BASIC line and the program's end, then the ten closing zeros.
const std::string kProgram = "\x1E\x80\x0A\x00\x91\x20\x22\x48\x49\x22\x00\x00\x00"s + std::string(10, '\0');
const std::string kAddresses = "\x00\x90\x05\x90\x00\x90"s;

class CasDecodeTest : public ::testing::Test {
 protected:
  std::string File(std::string_view ext) const { return dir_.File("GAME." + std::string(ext)); }
  CasDecodeResult Run(const std::string& bits, Reporter* reporter = nullptr) {
    testing::WriteFile(File("TX2"), bits);
    names_.SourceName = File("RAW");
    return CasDecode(names_, reporter != nullptr ? *reporter : reporter_);
  }
  // The opening lines, the ten header lines when a header is given, then
  // `after`, in which "@" stands for the name of the output.
  Lines Expected(std::string_view header, const Lines& after, std::string_view ext = "") const {
    Lines lines = {"Open file " + File("TX2") + " for reading", "Process CAS file create"};
    for (std::size_t i = 0; i < header.size(); ++i) {
      lines.push_back("Found FileType " + std::to_string(i + 1) + " " +
                      std::to_string(static_cast<std::uint8_t>(header[i])));
    }
    for (std::string line : after) {
      if (const auto at = line.find('@'); at != std::string::npos) line.replace(at, 1, File(ext));
      lines.push_back(line);
    }
    return lines;
  }
  Lines Files() const { return testing::ListDir(dir_.Path()); }

  testing::TempDir dir_;
  FileNameSet names_;
  RecordingReporter reporter_;
};

TEST_F(CasDecodeTest, WritesEachKindOfTapeFileWithItsLines) {
  std::string text = "10 PRINT\r\n";
  text.resize(256, '\x1A');
  const struct {
    char type;
    std::string data_bits;  // what follows the header
    TapeFileKind kind;
    std::string ext;
    Lines lines;
    std::string output;
  } cases[] = {
      {'\xD3', LeaderBits(80) + FrameBits(kProgram), TapeFileKind::Basic, "CAS",
       {"Found MSX Basic file PROG  ", "You can rename it", "Processing CAS file create @",
        "CAS file @ create successfully!!!"},
       kProgram},
      {'\xEA', LeaderBits(80) + FrameBits(text) + LeaderBits(80) + FrameBits("\x1A"), TapeFileKind::Text, "TXT",
       {"Found MSX Text file PROG  ", "You can rename it", "Processing TXT file create @",
        "TXT file @ create successfully!!!"},
       "10 PRINT\r\n"},
      {'\xD0', LeaderBits(80) + FrameBits(kAddresses) + FrameBits("\x3E\x41\xC9"), TapeFileKind::Binary, "BIN",
       {"Found MSX binary file PROG  ", "Processing BIN file create @", "Load addres is 9000h",
        "End addres is 9005h", "Start addres is 9000h", "BIN file @ create successfully!!!"},
       "\x3E\x41\xC9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ext);
    RecordingReporter reporter;
    const CasDecodeResult result = Run(LeaderBits(500) + HeaderBits(c.type, "PROG  ") + c.data_bits, &reporter);
    EXPECT_EQ(result.outcome, Outcome::Success);
    EXPECT_EQ(result.kind, c.kind);
    EXPECT_EQ(names_.OutputName, File(c.ext));
    EXPECT_EQ(reporter.Texts(), Expected(std::string(10, c.type), c.lines, c.ext));
    EXPECT_EQ(testing::ReadText(File(c.ext)), c.output);
    // The window opens after the first two lines and closes after the last.
    EXPECT_EQ(reporter.Events()[2].text, "Process CAS file create");
    EXPECT_EQ(reporter.Events().back().kind, RecordingReporter::Event::Kind::Close);
  }
}

TEST_F(CasDecodeTest, TheTenthByteAloneGivesTheType) {
  const std::string header_bytes = "\x00\xFF\xD0\xEA\x12\x34\x56\x78\x9A\xD3"s;
  EXPECT_EQ(Run(LeaderBits(10) + FrameBits(header_bytes) + FrameBits("BASIC ") + FrameBits(kProgram)).kind,
            TapeFileKind::Basic);
  EXPECT_EQ(reporter_.Texts(), Expected(header_bytes, {"Found MSX Basic file BASIC ", "You can rename it",
                                                       "Processing CAS file create @",
                                                       "CAS file @ create successfully!!!"},
                                        "CAS"));
}

TEST_F(CasDecodeTest, FailuresBeforeAnOutputWriteNothing) {
  const struct {
    std::string name;
    std::string bits;
    std::string header;  // the header lines logged
    std::string line;    // the last line, if any
  } cases[] = {
      {"unknown type", LeaderBits(10) + HeaderBits('\xD1', "ABCDEF") + FrameBits(kProgram), std::string(10, '\xD1'),
       ""},
      {"only 1 bits", LeaderBits(5000), "", "File " + File("TX2") + " is not valid MSX file"},
      {"empty", "", "", "File " + File("TX2") + " is not valid MSX file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingReporter reporter;
    const CasDecodeResult result = Run(c.bits, &reporter);
    EXPECT_EQ(result.outcome, Outcome::Failure);
    EXPECT_EQ(result.kind, TapeFileKind::None);
    EXPECT_EQ(reporter.Texts(), Expected(c.header, c.line.empty() ? Lines{} : Lines{c.line}));
    EXPECT_EQ(Files(), Lines{"GAME.TX2"});
    EXPECT_FALSE(reporter.ProgressOpen());
  }
}

TEST_F(CasDecodeTest, AMissingBitFileIsReported) {
  names_.SourceName = File("RAW");
  EXPECT_EQ(CasDecode(names_, reporter_).outcome, Outcome::Failure);
  EXPECT_EQ(reporter_.Texts(), Expected("", {"Error open file " + File("TX2")}));
  EXPECT_FALSE(reporter_.ProgressOpen());
}

TEST_F(CasDecodeTest, AnOutputThatCannotBeCreatedIsReported) {
  ASSERT_EQ(::mkdir(File("BIN").c_str(), 0755), 0);
  Run(LeaderBits(10) + HeaderBits('\xD0', "ABCDEF") + FrameBits(kAddresses));
  EXPECT_EQ(reporter_.Texts(),
            Expected(std::string(10, '\xD0'),
                     {"Found MSX binary file ABCDEF", "Processing BIN file create @", "Load addres is 9000h",
                      "End addres is 9005h", "Start addres is 9000h", "Can't create file @"},
                     "BIN"));
  EXPECT_FALSE(reporter_.ProgressOpen());
}

TEST_F(CasDecodeTest, RefusesAnOutputThatIsTheBitFile) {
  const std::string bits = LeaderBits(10) + HeaderBits('\xEA', "ABCDEF") + FrameBits("x\x1A");
  ASSERT_EQ(::symlink(File("TX2").c_str(), File("TXT").c_str()), 0);
  EXPECT_EQ(Run(bits).outcome, Outcome::Failure);
  EXPECT_EQ(reporter_.Texts().back(), "Can't create file " + File("TXT") + ": it is the input file");
  EXPECT_EQ(testing::ReadText(File("TX2")), bits);
}

TEST_F(CasDecodeTest, CopiesToTheEndOfTheRecording) {
  const struct {
    std::string name;
    char type;
    std::string data_bits;
    std::string output;
  } cases[] = {
      {"ends after the name", '\xD3', "", std::string(1, '\0')},
      {"text ends after the name", '\xEA', "", std::string(1, '\0')},
      // 22 leader characters read as two frames of 0xFF, and a frame cut by
      // the end of the recording as one 0x00.
      {"a later tape file", '\xD3', FrameBits(kProgram) + LeaderBits(22) + HeaderBits('\xD0', "LATER ") + "0110",
       kProgram + "\xFF\xFF" + std::string(10, '\xD0') + "LATER " + std::string(1, '\0')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Run(LeaderBits(10) + HeaderBits(c.type, "ABCDEF") + c.data_bits).outcome, Outcome::Success);
    EXPECT_EQ(testing::ReadText(names_.OutputName), c.output);
  }
}

TEST_F(CasDecodeTest, ABitFileCutShortWhileReadIsAReadError) {
  testing::WriteFile(File("CAS"), "earlier");
  // The first progress value comes after the first block of the program has
  // been read; the next block is gone.
  testing::TruncatingReporter truncating(reporter_, File("TX2"), 4000);
  EXPECT_EQ(Run(LeaderBits(10) + HeaderBits('\xD3', "ABCDEF") + FrameBits(std::string(100000, 'U')), &truncating)
                .outcome,
            Outcome::Failure);
  EXPECT_EQ(reporter_.Texts().back(),
            "Read error in file " + File("TX2") + ": the file became shorter while it was read");
  EXPECT_EQ(testing::ReadText(File("CAS")), "earlier");
  EXPECT_EQ(Files(), (Lines{"GAME.CAS", "GAME.TX2"}));
}

TEST_F(CasDecodeTest, AFullDiskIsAWriteErrorAndKeepsTheEarlierOutput) {
  testing::WriteFile(File("BIN"), "earlier");
  const std::string bits = LeaderBits(10) + HeaderBits('\xD0', "ABCDEF") + FrameBits(std::string(100006, 'U'));
  testing::WriteFile(File("TX2"), bits);
  CasDecodeResult result;
  {
    testing::FileSizeLimit limit(8192);
    names_.SourceName = File("RAW");
    result = CasDecode(names_, reporter_);
  }
  EXPECT_EQ(result.outcome, Outcome::Failure);
  EXPECT_EQ(reporter_.Texts().back(), "Write error in file " + File("BIN") + ": File too large");
  EXPECT_EQ(testing::ReadText(File("BIN")), "earlier");
  EXPECT_EQ(Files(), (Lines{"GAME.BIN", "GAME.TX2"}));
}

}  // namespace
}  // namespace orvano::tape
