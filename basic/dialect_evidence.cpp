#include "basic/dialect_evidence.h"

#include <algorithm>

#include "basic/bcd.h"
#include "basic/constant_operands.h"

namespace orvano::basic {
namespace {

constexpr int kStrongSign = 2;
constexpr int kWeakSign = 1;
constexpr int kMinimumPoints = 2;
constexpr int kDominance = 4;

constexpr std::uint8_t kLineNumber = 0x0E;
constexpr std::uint8_t kSingleConstant = 0x1D;
constexpr std::uint8_t kDoubleConstant = 0x1F;

constexpr const DialectRules& kMsx = RulesOf(Dialect::Msx);
constexpr const DialectRules& kKorvet = RulesOf(Dialect::Korvet);

bool IsConstantCode(std::uint8_t code) { return code >= 0x0B && code <= 0x1F; }
bool IsLetter(std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

// A binary constant as Korvet's tokeniser writes a number typed in a
// program: positive, between about 1E-10 and 1E14, or all zeros.
bool IsTokenisedMbf(std::span<const std::uint8_t> bytes) {
  if (std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; })) return true;
  const std::uint8_t exponent = bytes.back();
  const bool negative = (bytes[bytes.size() - 2] & 0x80) != 0;
  return !negative && exponent >= 0x60 && exponent <= 0xB0;
}

class EvidenceWalker {
 public:
  explicit EvidenceWalker(std::span<const std::uint8_t> program) : program_(program) {}

  DialectEvidence Walk() {
    while (position_ + 4 <= program_.size()) {
      if ((program_[position_] | program_[position_ + 1]) == 0) break;  // the zero link ends the program
      position_ += 4;
      WalkLine();
    }
    return evidence_;
  }

 private:
  std::uint8_t Peek(std::size_t ahead = 0) const {
    return position_ + ahead < program_.size() ? program_[position_ + ahead] : 0;
  }
  std::uint8_t Take() { return position_ < program_.size() ? program_[position_++] : 0; }

  void Count(bool msx, bool korvet, int points, int& msx_points, int& korvet_points) {
    if (msx && !korvet) msx_points += points;
    if (korvet && !msx) korvet_points += points;
  }
  void CountTokens(bool msx, bool korvet, int points) {
    Count(msx, korvet, points, evidence_.msx_tokens, evidence_.korvet_tokens);
  }

  void WeighFloat(std::size_t length) {
    if (position_ + length > program_.size()) return;
    const auto bytes = program_.subspan(position_, length);
    Count(IsTokenisedBcd(bytes), IsTokenisedMbf(bytes), kStrongSign, evidence_.msx_constants,
          evidence_.korvet_constants);
  }

  // After the first letter of a variable: its name, a type mark, a
  // subscript, and then the sign that makes it an assignment.
  void WeighAssignment() {
    while (IsLetter(Peek()) || IsDigit(Peek())) ++position_;
    if (Peek() == '$' || Peek() == '%' || Peek() == '!' || Peek() == '#') ++position_;
    while (Peek() == ' ') ++position_;
    if (Peek() == '(') {
      int depth = 0;
      do {
        const std::uint8_t c = Peek();
        if (c == 0) return;
        ++position_;
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (IsConstantCode(c)) position_ += ConstantOperandBytes(c);
      } while (depth > 0);
      while (Peek() == ' ') ++position_;
    }
    const std::uint8_t sign = Peek();
    CountTokens(sign == kMsx.equals_token, sign == kKorvet.equals_token, kStrongSign);
  }

  // Skips to the closing quote; false when the line ends first.
  bool SkipString() {
    for (std::uint8_t c = Take(); c != '"'; c = Take()) {
      if (c == 0) return false;
    }
    return true;
  }

  // Skips DATA items up to a colon outside quotes, which is left to read;
  // false when the line ends first.
  bool SkipData() {
    bool quoted = false;
    for (;;) {
      const std::uint8_t c = Peek();
      if (c == 0) return false;
      if (c == ':' && !quoted) return true;
      ++position_;
      if (c == '"') quoted = !quoted;
    }
  }

  void WalkLine() {
    bool statement_start = true;
    bool expect_variable = true;
    // The keyword right before, blanks between; 0 when something else came.
    std::uint8_t last_keyword = 0;
    bool keyword_started_statement = false;
    for (;;) {
      if (position_ >= program_.size()) return;
      const std::uint8_t c = Take();
      if (c == 0) return;
      if (c == ' ') continue;
      const std::uint8_t keyword_before = last_keyword;
      const bool keyword_was_statement = keyword_started_statement;
      const bool variable_expected = expect_variable;
      const bool at_statement_start = statement_start;
      last_keyword = 0;
      keyword_started_statement = false;
      expect_variable = false;
      statement_start = false;

      if (IsConstantCode(c)) {
        if (c == kLineNumber && keyword_before != 0) {
          CountTokens(kMsx.line_number_keywords[keyword_before], kKorvet.line_number_keywords[keyword_before],
                      kStrongSign);
        }
        if (c == kSingleConstant || c == kDoubleConstant) WeighFloat(ConstantOperandBytes(c));
        position_ += ConstantOperandBytes(c);
      } else if (c == '"') {
        if (keyword_was_statement) {
          CountTokens(kMsx.string_statements[keyword_before], kKorvet.string_statements[keyword_before], kStrongSign);
        }
        if (!SkipString()) return;
      } else if (c == ':') {
        if (Peek() == kRemToken && Peek(1) == kMsx.apostrophe_token) CountTokens(true, false, kWeakSign);
        statement_start = true;
        expect_variable = true;
      } else if (c == kRemToken) {
        return;
      } else if (c == kDataToken) {
        if (!SkipData()) return;
      } else if (c == kTokenPrefix) {
        // The code is taken even when it is 0x00, as Korvet BASIC does; the
        // MSX tokeniser never writes one there.
        const std::uint8_t code = Take();
        CountTokens(!(*kMsx.prefixed)[code].empty(), !(*kKorvet.prefixed)[code].empty(), kWeakSign);
      } else if (c >= 0x80) {
        // A tokeniser writes no code without a keyword, and damage seldom
        // lands where a statement begins.
        CountTokens(!(*kMsx.one_byte)[c].empty(), !(*kKorvet.one_byte)[c].empty(),
                    at_statement_start ? kStrongSign : kWeakSign);
        last_keyword = c;
        keyword_started_statement = at_statement_start;
        expect_variable = c == kForToken || c == kLetToken;
      } else if (IsLetter(c) && variable_expected) {
        WeighAssignment();
      }
    }
  }

  std::span<const std::uint8_t> program_;
  std::size_t position_ = 0;
  DialectEvidence evidence_;
};

std::string FitReason(int constants, int tokens, std::string_view dialect) {
  const std::string what = constants > 0 && tokens > 0 ? "constants and tokens fit "
                           : constants > 0             ? "constants fit "
                                                       : "tokens fit ";
  return what + std::string(dialect);
}

}  // namespace

DialectEvidence WeighEvidence(std::span<const std::uint8_t> program) { return EvidenceWalker(program).Walk(); }

DialectDecision Decide(const DialectEvidence& evidence) {
  const int msx = evidence.Msx();
  const int korvet = evidence.Korvet();
  if (msx >= kMinimumPoints && msx >= kDominance * korvet) {
    return {Dialect::Msx, FitReason(evidence.msx_constants, evidence.msx_tokens, "MSX")};
  }
  if (korvet >= kMinimumPoints && korvet >= kDominance * msx) {
    return {Dialect::Korvet, FitReason(evidence.korvet_constants, evidence.korvet_tokens, "Korvet")};
  }
  if (msx == 0 && korvet == 0) return {Dialect::Korvet, "nothing in it tells MSX from Korvet"};
  if (msx > 0 && korvet > 0) return {Dialect::Korvet, "signs of both dialects"};
  return {Dialect::Korvet, "too little evidence of MSX BASIC"};
}

}  // namespace orvano::basic
