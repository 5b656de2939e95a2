// Tape images the whole way round: packed from files, played as a signal at
// either speed, heard again by the whole-tape decoder, and unpacked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/recording_reporter.h"
#include "encode/cas_pack.h"
#include "encode/convert_source.h"
#include "tape/image_files.h"
#include "tape/tape_decode.h"
#include "tests/support/temp_dir.h"

namespace orvano::encode {
namespace {

using namespace orvano::testing;

struct Source {
  std::string name;  // as on disk; its first six characters name it on tape
  Bytes bytes;
};

Bytes Program() {
  // 10 PRINT "HI": 20 GOTO 10, with its zero link.
  return {0x0E, 0x80, 0x0A, 0x00, 0x91, 0x20, 0x22, 0x48, 0x49, 0x22, 0x00,
          0x17, 0x80, 0x14, 0x00, 0x89, 0x20, 0x0E, 0x0A, 0x00, 0x00, 0x00, 0x00};
}

Bytes Binary(std::size_t size, std::uint8_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 31 + seed);
  return bytes;
}

Bytes Text(std::size_t size) {
  Bytes bytes;
  while (bytes.size() < size) {
    const std::string line = std::to_string(bytes.size()) + " PRINT\r\n";
    bytes.insert(bytes.end(), line.begin(), line.end());
  }
  bytes.resize(size);
  return bytes;
}

// One to five files, every kind among them; a text that fills its blocks
// exactly and one that does not.
std::vector<std::vector<Source>> Tapes() {
  return {
      {{"GAME.BIN", Binary(300, 1)}},
      {{"PROG.CAS", Program()}},
      {{"NOTE.TXT", Text(256)}},
      {{"LOAD.CAS", Program()}, {"GAME.BIN", Binary(1000, 2)}},
      {{"LOAD.CAS", Program()}, {"GAME.BIN", Binary(40, 3)}, {"NOTE.TXT", Text(700)}},
      {{"A.TXT", Text(10)}, {"B.TXT", Text(512)}, {"C.BIN", Binary(1, 4)}, {"D.CAS", Program()}},
      {{"L1.CAS", Program()}, {"B1.BIN", Binary(200, 5)}, {"B2.BIN", Binary(2000, 6)}, {"T1.TXT", Text(300)},
       {"L2.CAS", Program()}},
  };
}

struct Play {
  Baud baud;
  bool wave;
};

class WholeImageRoundTrip : public ::testing::TestWithParam<Play> {};

TEST_P(WholeImageRoundTrip, PackPlayHearAndUnpackGiveEverythingBack) {
  for (const std::vector<Source>& tape : Tapes()) {
    SCOPED_TRACE(std::to_string(tape.size()) + " files, the first " + tape.front().name);
    TempDir dir;
    std::vector<std::string> paths;
    for (const Source& source : tape) {
      paths.push_back(dir.File(source.name));
      WriteFile(paths.back(), source.bytes);
    }
    ConversionOptions options;
    options.baud = GetParam().baud;
    options.WriteWave = GetParam().wave;
    RecordingReporter reporter;
    ASSERT_EQ(PackCasImage(dir.File("TAPE.CAS"), paths, options, std::nullopt, reporter), Outcome::Success);
    FileNameSet names;
    ASSERT_EQ(ConvertSource(dir.File("TAPE.CAS"), names, options, reporter), Outcome::Success);
    ASSERT_EQ(tape::DecodeTape(names.MsrName, dir.File("heard"), options, reporter), Outcome::Success);
    EXPECT_EQ(ReadFile(dir.File("heard/tape.cas")), ReadFile(dir.File("TAPE.CAS")));

    ASSERT_EQ(tape::ExtractCasImage(dir.File("TAPE.CAS"), dir.File("unpacked"), options, reporter), Outcome::Success);
    for (std::size_t i = 0; i < tape.size(); ++i) {
      const std::string name = tape[i].name;
      const std::string unpacked = dir.File("unpacked/0" + std::to_string(i + 1) + "-" + name);
      EXPECT_EQ(ReadFile(unpacked), tape[i].bytes) << unpacked;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Speeds, WholeImageRoundTrip,
                         ::testing::Values(Play{Baud::k1200, false}, Play{Baud::k1200, true}, Play{Baud::k2400, false},
                                           Play{Baud::k2400, true}),
                         [](const ::testing::TestParamInfo<Play>& play) {
                           return std::string(play.param.baud == Baud::k2400 ? "b2400" : "b1200") +
                                  (play.param.wave ? "_wav" : "_raw");
                         });

}  // namespace
}  // namespace orvano::encode
