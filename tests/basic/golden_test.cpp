#include <gtest/gtest.h>

#include <string>

#include "basic/basic_detokenizer.h"
#include "common/memory_stream.h"
#include "tests/basic/program_bytes.h"
#include "tests/support/temp_dir.h"

namespace orvano::basic {
namespace {

using testing::Bytes;
using testing::ReadHexFile;

const std::string kData = ORVANO_TEST_DATA;
const std::string kExamples = std::string(ORVANO_EXAMPLES) + "/source";

struct GoldenCase {
  std::string program;  // a .hex file
  std::string listing;  // the .BAS file it lists as
};

void PrintTo(const GoldenCase& c, std::ostream* out) { *out << c.program; }

class Golden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, ListsByteForByte) {
  MemoryStream source(ReadHexFile(GetParam().program));
  ASSERT_GT(source.Size(), 0u);
  MemoryStream output;
  BasicDetokenizer detokenizer(&source, "");
  detokenizer.ListTo(output);
  EXPECT_EQ(output.Bytes(), testing::ReadFile(GetParam().listing));
}

INSTANTIATE_TEST_SUITE_P(Programs, Golden,
                         ::testing::Values(GoldenCase{kData + "/constants.hex", kData + "/constants.BAS"},
                                           GoldenCase{kData + "/statements.hex", kData + "/statements.BAS"},
                                           GoldenCase{kData + "/damaged.hex", kData + "/damaged.BAS"},
                                           GoldenCase{kData + "/demo.hex", kExamples + "/DEMO.BAS"}));

TEST(Demo, CasFileIsTheDemoProgram) {
  EXPECT_EQ(testing::ReadFile(kExamples + "/DEMO.CAS"), ReadHexFile(kData + "/demo.hex"));
}

}  // namespace
}  // namespace orvano::basic
