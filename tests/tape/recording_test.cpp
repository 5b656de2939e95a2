// The whole tape from a recording on disk: signals made to order with the
// faults of real cassettes, written as sound files and read back by the
// operation that orvano-cli tape and the Whole tape command run.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>

#include "common/recording_reporter.h"
#include "tape/cas_image.h"
#include "tape/tape_decode.h"
#include "tests/support/tape_synth.h"
#include "tests/support/temp_dir.h"
#include "tests/support/wave_data_size.h"
#include "tests/tape/block_builders.h"

namespace orvano::tape {
namespace {

using namespace testing;

Bytes Image(std::size_t size) {
  Bytes image(size);
  for (std::size_t i = 0; i < size; ++i) image[i] = static_cast<std::uint8_t>(i * 13 + i / 7);
  return image;
}

const Bytes kGame = Image(600);
const std::string kNotes = [] {
  std::string text;
  for (int line = 10; line <= 250; line += 10) text += std::to_string(line) + " REM notes\r\n";
  return text;
}();

// A BASIC loader, a binary and a text of two blocks: headers at `header_baud`
// behind long leaders, data at `data_baud` behind short ones.
std::vector<SynthBlock> ThreeFiles(double header_baud, double data_baud) {
  const auto block = [](Bytes bytes, double baud, std::size_t cycles) { return SynthBlock{std::move(bytes), baud, cycles, {}}; };
  std::vector<SynthBlock> blocks{
      block(HeaderBytes(0xD3, "LOADER"), header_baud, 3000), block(BasicData(ProgramBytes()), data_baud, 1500),
      block(HeaderBytes(0xD0, "GAME"), header_baud, 3000),
      block(BinaryData(0xC000, 0xC257, 0xC000, kGame), data_baud, 1500),
      block(HeaderBytes(0xEA, "NOTES"), header_baud, 3000)};
  for (Bytes& text : TextData(kNotes)) blocks.push_back(block(std::move(text), data_baud, 1500));
  return blocks;
}

// The three files at 1200 baud, as 16-bit samples at 22050 Hz.
TapePlan ThreeFilePlan() {
  TapePlan plan;
  plan.sample_rate = 22050;
  plan.format = SampleFormat::Signed16;
  plan.blocks = ThreeFiles(1200, 1200);
  return plan;
}

// The first line of the log that starts with `start`; empty when none does.
std::string LineStartingWith(const RecordingReporter& reporter, const std::string& start) {
  for (const std::string& line : reporter.Texts()) {
    if (line.starts_with(start)) return line;
  }
  return {};
}

std::vector<TapeBlock> ExpectedBlocks(const std::vector<SynthBlock>& blocks) {
  std::vector<TapeBlock> image;
  for (const SynthBlock& block : blocks) image.push_back(Block(block.bytes));
  return image;
}

struct RecordingCase {
  const char* name;
  unsigned rate;
  double header_baud;
  double data_baud;
  std::function<void(TapePlan&)> apply;
};

const RecordingCase kCases[] = {
    {"clean", 44100, 1200, 1200, [](TapePlan&) {}},
    {"inverted with an offset that drifts", 44100, 1200, 1200,
     [](TapePlan& p) {
       p.impairments.inverted = true;
       p.impairments.level_dbfs = -10;
       p.impairments.dc_offset = 0.3;
       p.impairments.drift = 0.3;
     }},
    {"quiet, 16-bit", 48000, 1200, 1200,
     [](TapePlan& p) {
       p.impairments.level_dbfs = -40;
       p.format = SampleFormat::Signed16;
     }},
    {"clipped, 8-bit", 22050, 1200, 1200,
     [](TapePlan& p) {
       p.shape = WaveShape::Smooth;
       p.format = SampleFormat::Unsigned8;
       p.impairments.level_dbfs = 12;
     }},
    {"noise at 14 dB and hum", 44100, 1200, 1200,
     [](TapePlan& p) {
       p.impairments.snr_db = 14;
       p.impairments.hum_db = -20;
     }},
    {"lopsided and dull", 44100, 1200, 1200,
     [](TapePlan& p) {
       p.impairments.duty = 0.6;
       p.impairments.second_half = 0.6;
       p.impairments.hf_cutoff_hz = 2600;
     }},
    {"slow with wow and flutter", 44100, 1200, 1200,
     [](TapePlan& p) {
       p.impairments.speed = 0.9;
       p.impairments.wow = 0.02;
       p.impairments.flutter = 0.005;
     }},
    {"fast", 22050, 2400, 2400, [](TapePlan& p) { p.impairments.speed = 1.1; }},
    {"dropouts in the leaders", 44100, 1200, 1200,
     [](TapePlan& p) { p.impairments.dropouts = {{1.0, 0.03, -40}, {4.8, 0.02, -50}}; }},
    {"gaps at full negative level", 44100, 1200, 1200, [](TapePlan& p) { p.gap = Gap::NegativeLevel; }},
    {"hiss between the files", 44100, 1200, 1200,
     [](TapePlan& p) {
       p.gap = Gap::Hiss;
       p.gap_seconds = 1;
     }},
    {"a 1200-baud loader, then 2400-baud data", 44100, 1200, 2400, [](TapePlan&) {}},
    {"1225/2450 baud at 11025 Hz", 11025, 1225, 2450, [](TapePlan& p) { p.shape = WaveShape::Smooth; }},
    {"no gaps, junk after headers and last blocks", 44100, 1225, 2450,
     [](TapePlan& p) {
       p.gap = Gap::Nothing;
       const Bytes junk{0xFE, 0, 0, 0, 0, 0, 0, 0};
       for (const std::size_t i : {0u, 1u, 2u, 3u, 4u}) p.blocks[i].junk = junk;
       p.blocks.back().junk = junk;
     }},
    {"everything at once", 44100, 1200, 2400,
     [](TapePlan& p) {
       auto& f = p.impairments;
       p.shape = WaveShape::Smooth;
       f.inverted = true;
       f.level_dbfs = -12;
       f.dc_offset = 0.1;
       f.snr_db = 20;
       f.hum_db = -20;
       f.duty = 0.56;
       f.hf_cutoff_hz = 6000;
       f.speed = 0.95;
       f.wow = 0.01;
       f.flutter = 0.004;
       p.gap = Gap::Hiss;
     }},
};

void PrintTo(const RecordingCase& c, std::ostream* out) { *out << c.name; }

class Recording : public ::testing::TestWithParam<RecordingCase> {};

TEST_P(Recording, EveryFileIsFoundAndTheImageHoldsExactlyTheBlocks) {
  const RecordingCase& c = GetParam();
  TapePlan plan;
  plan.sample_rate = c.rate;
  plan.format = SampleFormat::Signed16;
  plan.blocks = ThreeFiles(c.header_baud, c.data_baud);
  c.apply(plan);
  TempDir dir;
  WriteFile(dir.File("TAPE.WAV"), WaveFile(Synthesize(plan), plan.sample_rate, plan.format, 2));

  RecordingReporter reporter;
  ASSERT_EQ(DecodeTape(dir.File("TAPE.WAV"), "", ConversionOptions{}, reporter), Outcome::Success);
  const std::string out = dir.File("TAPE/");
  EXPECT_EQ(ReadFile(out + "tape.cas"), CasImageOf(ExpectedBlocks(ThreeFiles(c.header_baud, c.data_baud))));
  EXPECT_EQ(ReadFile(out + "01-LOADER.CAS"), ProgramBytes());
  EXPECT_EQ(ReadText(out + "01-LOADER.BAS"), "10 PRINT\r\n");
  EXPECT_EQ(ReadFile(out + "02-GAME.BIN"), kGame);
  EXPECT_EQ(ReadText(out + "03-NOTES.TXT"), kNotes);
  EXPECT_EQ(reporter.Texts().back(), dir.File("TAPE.WAV") + ": 3 files (3 complete), " +
                                         std::to_string(plan.blocks.size()) + " blocks, 0 framing errors; outputs in " +
                                         dir.File("TAPE"));
}

INSTANTIATE_TEST_SUITE_P(Faults, Recording, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RecordingCase>& case_info) {
                           std::string name;
                           for (const char ch : std::string(case_info.param.name)) {
                             if (std::isalnum(static_cast<unsigned char>(ch))) name += ch;
                           }
                           return name;
                         });

// Noise, hum and silence hold no tape: nothing is invented from them.
TEST(Recording, HoldsNoFileWhereThereIsNoTape) {
  TapePlan plan;
  plan.impairments.snr_db = -30;
  plan.impairments.hum_db = -6;
  plan.blocks = {SynthBlock{Bytes(64, 0x55), 1200, 400, {}}};
  TempDir dir;
  // A tone too short to be a leader, under noise far louder than it.
  WriteFile(dir.File("NOISE.WAV"), WaveFile(Synthesize(plan), plan.sample_rate, SampleFormat::Signed16));
  RecordingReporter reporter;
  EXPECT_EQ(DecodeTape(dir.File("NOISE.WAV"), "", ConversionOptions{}, reporter), Outcome::Failure);
  EXPECT_EQ(ReadFile(dir.File("NOISE/tape.cas")), Bytes{});
  EXPECT_EQ(reporter.Texts().back(), dir.File("NOISE.WAV") + ": no tape file found, 0 blocks; outputs in " +
                                         dir.File("NOISE"));
}

// A stereo recording whose tape starts late on the right, beside hiss on the
// left: the first seconds favour the left, which holds nothing, so the right
// is heard after it.
TEST(Recording, ATapeThatStartsLateOnTheOtherChannelIsFound) {
  TapePlan plan = ThreeFilePlan();
  std::vector<float> right(40 * plan.sample_rate, 0.0f);
  const std::vector<float> tape = Synthesize(plan);
  right.insert(right.end(), tape.begin(), tape.end());
  std::vector<float> left(right.size());
  std::uint32_t state = 7;
  for (float& sample : left) {
    state = state * 1664525u + 1013904223u;
    sample = static_cast<float>(state >> 8) / static_cast<float>(1u << 24) * 0.1f - 0.05f;
  }
  TempDir dir;
  WriteFile(dir.File("LATE.WAV"), WaveFile({left, right}, plan.sample_rate, plan.format));

  RecordingReporter reporter;
  ASSERT_EQ(DecodeTape(dir.File("LATE.WAV"), "", ConversionOptions{}, reporter), Outcome::Success);
  EXPECT_EQ(ReadFile(dir.File("LATE/tape.cas")), CasImageOf(ExpectedBlocks(plan.blocks)));
  EXPECT_EQ(LineStartingWith(reporter, "The left channel held no tape; reading the right channel"),
            "The left channel held no tape; reading the right channel");
}

// A dropout under hiss inside a block loses the frames it covers and no
// more: the clock runs on through it, the frames after it stay in their
// places, and those it covered are counted as bad.
TEST(Recording, ADropoutInsideABlockLosesOnlyTheFramesItCovers) {
  TapePlan plan = ThreeFilePlan();
  plan.impairments.snr_db = 30;
  // The binary's data runs from about 5 s to 10.5 s; 10 ms is a frame.
  plan.impairments.dropouts = {{6.0, 0.01, -60}, {8.0, 0.01, -60}};
  TempDir dir;
  WriteFile(dir.File("DROP.WAV"), WaveFile(Synthesize(plan), plan.sample_rate, plan.format));

  RecordingReporter reporter;
  EXPECT_EQ(DecodeTape(dir.File("DROP.WAV"), "", ConversionOptions{}, reporter), Outcome::Success);
  const Bytes game = ReadFile(dir.File("DROP/02-GAME.BIN"));
  ASSERT_EQ(game.size(), kGame.size());
  std::size_t wrong = 0;
  for (std::size_t i = 0; i < game.size(); ++i) wrong += game[i] != kGame[i] ? 1 : 0;
  EXPECT_LE(wrong, 4u);
  const std::string line = LineStartingWith(reporter, "02 binary");
  ASSERT_FALSE(line.empty());
  EXPECT_NE(line.find(": damaged; 4 framing errors at 5.99"), std::string::npos) << line;
}

// A recorder that stopped before it wrote the size of its data: the tape is
// read to the end of the file, and the log says why.
TEST(Recording, AWaveWithoutADataSizeIsReadToItsEnd) {
  TapePlan plan = ThreeFilePlan();
  TempDir dir;
  WriteFile(dir.File("OPEN.WAV"), WithDataSize(WaveFile(Synthesize(plan), plan.sample_rate, plan.format), 0));

  RecordingReporter reporter;
  ASSERT_EQ(DecodeTape(dir.File("OPEN.WAV"), "", ConversionOptions{}, reporter), Outcome::Success);
  EXPECT_EQ(ReadFile(dir.File("OPEN/tape.cas")), CasImageOf(ExpectedBlocks(plan.blocks)));
  EXPECT_FALSE(LineStartingWith(reporter, "File " + dir.File("OPEN.WAV") + " gives no size for its data: it is read to the end").empty());
}

// The signals that two other tools made of a three-file image.
TEST(Recording, TheSamplesGiveTheirImageBack) {
  const std::string samples = ORVANO_SAMPLES;
  if (!std::filesystem::exists(samples + "/THREE.CAS")) GTEST_SKIP() << "no samples in " << samples;
  for (const char* wave : {"THREE-castools.wav", "THREE-ffix.wav"}) {
    TempDir dir;
    RecordingReporter reporter;
    EXPECT_EQ(DecodeTape(samples + "/" + wave, dir.File("out"), ConversionOptions{}, reporter), Outcome::Success);
    EXPECT_EQ(ReadFile(dir.File("out/tape.cas")), ReadFile(samples + "/THREE.CAS")) << wave;
    EXPECT_EQ(ReadText(dir.File("out/01-LOADER.BAS")), "10 CLS\r\n20 PRINT \"LOADING...\"\r\n30 BLOAD\"CAS:\",R\r\n");
  }
}

}  // namespace
}  // namespace orvano::tape
