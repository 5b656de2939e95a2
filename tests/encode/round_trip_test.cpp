#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "common/recording_reporter.h"
#include "decode/operations.h"
#include "encode/cas_pack.h"
#include "encode/convert_source.h"
#include "tape/cas_decode.h"
#include "tests/support/temp_dir.h"

namespace orvano::encode {
namespace {

using orvano::testing::Bytes;
using orvano::testing::ReadFile;
using orvano::testing::TempDir;
using orvano::testing::WriteFile;

struct KindCase {
  const char* name;
  const char* source;     // the file the encoder gets
  const char* extracted;  // the extension the extraction writes
  tape::TapeFileKind kind;
};

void PrintTo(const KindCase& kind, std::ostream* out) { *out << kind.name; }

const KindCase kKinds[] = {
    {"binary", "RT.BIN", "BIN", tape::TapeFileKind::Binary},
    {"basic", "RT.CAS", "CAS", tape::TapeFileKind::Basic},
    {"text", "RT.TXT", "TXT", tape::TapeFileKind::Text},
};

// Every byte value but the text end mark, which would end a text early, and
// 0xFF first, which a BASIC source would lose.
Bytes Source(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    auto value = static_cast<std::uint8_t>(i * 37 + 11);
    bytes[i] = value == 0x1A ? 0x1B : value;
  }
  return bytes;
}

// Samples of the header block: 7680 leader cells and 16 frames of 36 and
// 396 samples; every data block adds a gap of 65535 and 1920 leader cells.
std::size_t ImageBytes(tape::TapeFileKind kind, std::size_t size, bool wave) {
  const std::size_t header = wave ? 44 : 0;
  switch (kind) {
    case tape::TapeFileKind::Binary:
      return header + 2 * (419847 + 396 * size);
    case tape::TapeFileKind::Basic:
      return header + 2 * (421431 + 396 * size);
    default: {
      const std::size_t blocks = (size + 255) / 256;
      return header + 2 * (7680 * 36 + 16 * 396 + blocks * (65535 + 1920 * 36 + 256 * 396) + 396);
    }
  }
}

class RoundTrip : public ::testing::TestWithParam<std::tuple<KindCase, std::size_t, bool>> {};

TEST_P(RoundTrip, DecodingTheTapeGivesBackTheSource) {
  const auto& [kind, size, wave] = GetParam();
  TempDir dir;
  const Bytes source = Source(size);
  WriteFile(dir.File(kind.source), source);
  RecordingReporter encoding;
  FileNameSet names;
  ASSERT_EQ(ConvertSource(dir.File(kind.source), names, {0x9000, 0x9000, wave}, encoding),
            Outcome::Success);

  // The decoder reads headerless samples, in a directory of its own so that
  // what it extracts cannot meet the source.
  std::filesystem::create_directory(dir.File("decode"));
  const Bytes image = ReadFile(names.MsrName);
  ASSERT_EQ(image.size(), ImageBytes(kind.kind, size, wave));
  const std::size_t skip = wave ? 44 : 0;
  WriteFile(dir.File("decode/RT.RAW"), Bytes(image.begin() + static_cast<std::ptrdiff_t>(skip), image.end()));

  RecordingReporter decoding;
  FileNameSet chain;
  chain.SourceName = dir.File("decode/RT.RAW");
  ASSERT_EQ(decode::RawRecode(chain, {}, decoding), Outcome::Success);
  ASSERT_EQ(decode::Phase1Decode(chain, decoding), Outcome::Success);
  ASSERT_EQ(decode::Phase2Decode(chain, decoding), Outcome::Success);
  const tape::CasDecodeResult result = tape::CasDecode(chain, decoding);
  ASSERT_EQ(result.outcome, Outcome::Success);
  EXPECT_EQ(result.kind, kind.kind);
  EXPECT_EQ(chain.OutputName, dir.File(std::string("decode/RT.") + kind.extracted));

  Bytes expected = source;
  if (kind.kind == tape::TapeFileKind::Basic) expected.resize(size + 10, 0x00);
  EXPECT_EQ(ReadFile(chain.OutputName), expected);
}

std::string CaseName(const ::testing::TestParamInfo<RoundTrip::ParamType>& info) {
  const auto& [kind, size, wave] = info.param;
  return std::string(kind.name) + "_" + std::to_string(size) + (wave ? "_wave" : "_raw");
}

INSTANTIATE_TEST_SUITE_P(AllKinds, RoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kKinds),
                                            ::testing::Values(1, 255, 256, 257, 300, 8192),
                                            ::testing::Bool()),
                         CaseName);

// A tape image of one to five files, packed and played at 1200 baud: the
// step-by-step chain finds its first file and gives it back. What the chain
// copies behind a binary or a program, the later files, is not its business.
class ImageRoundTrip : public ::testing::TestWithParam<std::tuple<KindCase, std::size_t, bool>> {};

TEST_P(ImageRoundTrip, TheChainReadsTheFirstFile) {
  const auto& [kind, count, wave] = GetParam();
  TempDir dir;
  const Bytes first = Source(700);
  WriteFile(dir.File(kind.source), first);
  std::vector<std::string> sources{dir.File(kind.source)};
  for (std::size_t i = 1; i < count; ++i) {
    sources.push_back(dir.File("MORE" + std::to_string(i) + (i % 2 == 0 ? ".TXT" : ".BIN")));
    WriteFile(sources.back(), Source(100 * i));
  }
  ConversionOptions options;
  options.WriteWave = wave;
  RecordingReporter reporter;
  ASSERT_EQ(PackCasImage(dir.File("TAPE.CAS"), sources, options, std::nullopt, reporter), Outcome::Success);
  FileNameSet names;
  ASSERT_EQ(ConvertSource(dir.File("TAPE.CAS"), names, options, reporter), Outcome::Success);

  std::filesystem::create_directory(dir.File("decode"));
  const Bytes signal = ReadFile(names.MsrName);
  WriteFile(dir.File("decode/RT.RAW"), Bytes(signal.begin() + (wave ? 44 : 0), signal.end()));
  FileNameSet chain;
  chain.SourceName = dir.File("decode/RT.RAW");
  ASSERT_EQ(decode::RawRecode(chain, {}, reporter), Outcome::Success);
  ASSERT_EQ(decode::Phase1Decode(chain, reporter), Outcome::Success);
  ASSERT_EQ(decode::Phase2Decode(chain, reporter), Outcome::Success);
  const tape::CasDecodeResult result = tape::CasDecode(chain, reporter);
  ASSERT_EQ(result.outcome, Outcome::Success);
  EXPECT_EQ(result.kind, kind.kind);
  Bytes expected = first;
  if (kind.kind == tape::TapeFileKind::Basic) expected.resize(first.size() + 10, 0x00);
  const Bytes extracted = ReadFile(chain.OutputName);
  if (kind.kind == tape::TapeFileKind::Text) {
    EXPECT_EQ(extracted, expected);
  } else {
    ASSERT_GE(extracted.size(), expected.size());
    EXPECT_EQ(Bytes(extracted.begin(), extracted.begin() + static_cast<std::ptrdiff_t>(expected.size())), expected);
  }
}

std::string ImageCaseName(const ::testing::TestParamInfo<ImageRoundTrip::ParamType>& info) {
  const auto& [kind, count, wave] = info.param;
  return std::string(kind.name) + "_first_of_" + std::to_string(count) + (wave ? "_wave" : "_raw");
}

INSTANTIATE_TEST_SUITE_P(AllKinds, ImageRoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kKinds), ::testing::Values(1, 2, 3, 4, 5),
                                            ::testing::Bool()),
                         ImageCaseName);

}  // namespace
}  // namespace orvano::encode
