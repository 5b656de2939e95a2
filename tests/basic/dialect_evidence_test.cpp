#include <gtest/gtest.h>

#include <string>

#include "basic/basic_detokenizer.h"
#include "basic/dialect_evidence.h"
#include "basic/program_listing.h"
#include "common/memory_stream.h"
#include "tests/basic/program_bytes.h"
#include "tests/support/temp_dir.h"

namespace orvano::basic {
namespace {

using testing::Bytes;
using testing::ProgramBuilder;

const std::string kData = ORVANO_TEST_DATA;
const std::string kExamples = std::string(ORVANO_EXAMPLES) + "/source";

struct Points {
  int msx_constants;
  int msx_tokens;
  int korvet_constants;
  int korvet_tokens;
  bool operator==(const Points&) const = default;
};

Points PointsOf(const Bytes& text) {
  const DialectEvidence e = WeighEvidence(ProgramBuilder().Line(10, text).End());
  return {e.msx_constants, e.msx_tokens, e.korvet_constants, e.korvet_tokens};
}

struct EvidenceCase {
  const char* name;
  Bytes text;  // one line of a program
  Points points;
};

const EvidenceCase kEvidenceCases[] = {
    {"decimal constant", {0x91, 0x20, 0x1D, 0x41, 0x15, 0x00, 0x00}, {2, 0, 0, 0}},
    {"decimal double", {0x91, 0x20, 0x1F, 0x40, 0x50, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, {2, 0, 0, 0}},
    {"binary constant", {0x91, 0x20, 0x1D, 0x00, 0x00, 0x40, 0x81}, {0, 0, 2, 0}},
    {"binary double", {0x91, 0x1F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0x82}, {0, 0, 2, 0}},
    {"zero fits both", {0x91, 0x20, 0x1D, 0x00, 0x00, 0x00, 0x00}, {0, 0, 0, 0}},
    {"a statement only MSX has", {0xC0}, {0, 2, 0, 0}},
    {"a keyword only MSX has, within a statement", {0x91, 0x20, 0xC0}, {0, 1, 0, 0}},
    {"a keyword only Korvet has", {0x91, 0x41, 0xFD, 0x12}, {0, 0, 0, 1}},
    {"a function only MSX has", {0x91, 0xFF, 0xA2, 0x28, 0x11, 0x29}, {0, 1, 0, 0}},
    {"a prefix before 0x00 does not end the line", {0xFF, 0x00, 0xC0}, {0, 1, 0, 0}},
    {"a function both have", {0x91, 0xFF, 0x85, 0x28, 0x41, 0x29}, {0, 0, 0, 0}},
    {"MSX assignment", {0x41, 0xEF, 0x12}, {0, 2, 0, 0}},
    {"Korvet assignment", {0x41, 0x24, 0x20, 0xF0, 0x22, 0x22}, {0, 0, 0, 2}},
    {"assignment to an element", {0x41, 0x42, 0x28, 0x49, 0xF1, 0x1C, 0x00, 0x00, 0x29, 0xEF, 0x12}, {0, 2, 0, 0}},
    {"FOR with the MSX equals sign", {0x82, 0x20, 0x49, 0xEF, 0x12, 0x20, 0xD9, 0x20, 0x0F, 0x0A}, {0, 2, 0, 0}},
    {"after a colon", {0x91, 0x3A, 0x41, 0xF0, 0x12}, {0, 0, 0, 2}},
    {"a comparison is no assignment", {0x8B, 0x20, 0x41, 0xEF, 0x12, 0x20, 0x89, 0x20, 0x0E, 0x0A, 0x00}, {0, 0, 0, 0}},
    {"MSX THEN before a line number", {0x8B, 0x41, 0xDA, 0x0E, 0x0A, 0x00}, {0, 2, 0, 0}},
    {"Korvet THEN before a line number", {0x8B, 0x41, 0x20, 0xDD, 0x20, 0x0E, 0x0A, 0x00}, {0, 0, 0, 2}},
    {"MSX ELSE before a line number", {0x3A, 0xA1, 0x0E, 0x0A, 0x00}, {0, 2, 0, 0}},
    {"GOTO is the same in both", {0x89, 0x0E, 0x0A, 0x00}, {0, 0, 0, 0}},
    {"the apostrophe of MSX", {0x3A, 0x8F, 0xE6, 0x41}, {0, 1, 0, 0}},
    {"BLOAD with its file name", {0xCF, 0x22, 0x43, 0x22}, {0, 2, 0, 0}},
    {"Korvet LOAD with its file name", {0xC4, 0x20, 0x22, 0x43, 0x22}, {0, 0, 0, 2}},
    {"PRINT of a string is the same in both", {0x91, 0x22, 0x43, 0x22}, {0, 0, 0, 0}},
    {"nothing counts inside a string", {0x91, 0x22, 0xC0, 0x1D, 0x41, 0x15, 0x00, 0x00, 0x22}, {0, 0, 0, 0}},
    {"nothing counts in REM text", {0x8F, 0xC0, 0x41, 0xEF, 0x12}, {0, 0, 0, 0}},
    {"DATA ends at a colon", {0x84, 0xC0, 0x22, 0x3A, 0xC0, 0x22, 0x3A, 0x91, 0xC0}, {0, 1, 0, 0}},
};

TEST(WeighEvidence, CountsEachSignOnce) {
  for (const EvidenceCase& c : kEvidenceCases) EXPECT_EQ(PointsOf(c.text), c.points) << c.name;
}

TEST(WeighEvidence, StopsAtTheZeroLink) {
  const Bytes program =
      testing::Join({ProgramBuilder().Line(10, {0xC0}).End(), ProgramBuilder().Line(10, {0xC0}).End()});
  EXPECT_EQ(WeighEvidence(program).msx_tokens, 2);
}

struct DecisionCase {
  DialectEvidence evidence;
  Dialect dialect;
  std::string reason;
};

TEST(Decide, TakesMsxOnlyOnClearEvidence) {
  const DecisionCase cases[] = {
      {{2, 0, 0, 0}, Dialect::Msx, "constants fit MSX"},
      {{0, 2, 0, 0}, Dialect::Msx, "tokens fit MSX"},
      {{4, 6, 0, 2}, Dialect::Msx, "constants and tokens fit MSX"},
      {{0, 0, 2, 2}, Dialect::Korvet, "constants and tokens fit Korvet"},
      {{0, 0, 0, 2}, Dialect::Korvet, "tokens fit Korvet"},
      // Weak or contradicting evidence keeps the dialect of old.
      {{0, 0, 0, 0}, Dialect::Korvet, "nothing in it tells MSX from Korvet"},
      {{0, 1, 0, 0}, Dialect::Korvet, "too little evidence of MSX BASIC"},
      {{0, 0, 0, 1}, Dialect::Korvet, "too little evidence of MSX BASIC"},
      {{2, 5, 0, 2}, Dialect::Korvet, "signs of both dialects"},
      {{0, 4, 0, 2}, Dialect::Korvet, "signs of both dialects"},
  };
  for (const auto& [evidence, dialect, reason] : cases) {
    const DialectDecision decision = Decide(evidence);
    EXPECT_EQ(decision.dialect, dialect) << reason;
    EXPECT_EQ(decision.reason, reason);
  }
}

// Every Korvet program of the tests lists under Auto as it always did.
TEST(AutoDialect, TakesKorvetForEveryKorvetProgram) {
  const std::pair<std::string, std::string> programs[] = {
      {kData + "/constants.hex", kData + "/constants.BAS"},
      {kData + "/statements.hex", kData + "/statements.BAS"},
      {kData + "/damaged.hex", kData + "/damaged.BAS"},
      {kData + "/demo.hex", kExamples + "/DEMO.BAS"},
  };
  for (const auto& [program, listing] : programs) {
    MemoryStream source(testing::ReadHexFile(program));
    MemoryStream output;
    BasicDetokenizer detokenizer(&source, "", DialectChoice::Auto);
    EXPECT_EQ(detokenizer.ListTo(output).dialect, Dialect::Korvet) << program;
    EXPECT_EQ(output.Bytes(), testing::ReadFile(listing)) << program;
  }
}

TEST(AutoDialect, SaysWhyItTookKorvet) {
  EXPECT_EQ(ListProgram(testing::ReadHexFile(kData + "/statements.hex"), DialectChoice::Auto).choice_line,
            "listed as Korvet BASIC (tokens fit Korvet)");
  EXPECT_EQ(ListProgram(testing::ReadHexFile(kData + "/constants.hex"), DialectChoice::Auto).choice_line,
            "listed as Korvet BASIC (constants and tokens fit Korvet)");
  // The damaged program has codes that only MSX BASIC knows, and a Korvet
  // assignment.
  EXPECT_EQ(ListProgram(testing::ReadHexFile(kData + "/damaged.hex"), DialectChoice::Auto).choice_line,
            "listed as Korvet BASIC (signs of both dialects)");
}

}  // namespace
}  // namespace orvano::basic
