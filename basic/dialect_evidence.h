#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "basic/dialect.h"

namespace orvano::basic {

// Signs in a tokenised program of the dialect it was written in, counted in
// points per dialect, apart for its constants and its tokens.
struct DialectEvidence {
  int msx_constants = 0;
  int msx_tokens = 0;
  int korvet_constants = 0;
  int korvet_tokens = 0;

  int Msx() const { return msx_constants + msx_tokens; }
  int Korvet() const { return korvet_constants + korvet_tokens; }
};

// Weighs a program (without a disk-file marker) outside its strings, REM
// and DATA text. A sign counts for a dialect only where the
// other dialect reads the same bytes differently, and only as what that
// dialect's own tokeniser writes:
//  - a floating constant (0x1D, 0x1F) that is well-formed decimal and not a
//    plausible binary number typed in a program, or the other way round: 2;
//  - the "=" of an assignment, after a variable at the start of a statement
//    or after FOR or LET: 2;
//  - the keyword right before a line number (0x0E), such as THEN or ELSE,
//    where only one dialect's keyword takes one: 2;
//  - a token code, or a function code after 0xFF, that has a keyword in one
//    dialect only: 1, since a damaged byte of either dialect most often
//    lands on a code that only MSX BASIC has; 2 where a statement begins
//    (KEY of KEY OFF), where damage seldom lands;
//  - the stored apostrophe ":REM'" of MSX BASIC: 1;
//  - a statement followed at once by a string where only one dialect's
//    statement takes one (BLOAD"CAS:" against Korvet's PCLS): 2, so that
//    the usual one-line loader is known for what it is.
DialectEvidence WeighEvidence(std::span<const std::uint8_t> program);

struct DialectDecision {
  Dialect dialect = Dialect::Korvet;
  std::string reason;  // "constants and tokens fit MSX", ...
};

// MSX BASIC when it has at least 2 points and four times the points of
// Korvet; Korvet BASIC otherwise, so that weak or contradicting evidence
// lists a program as it was always listed.
DialectDecision Decide(const DialectEvidence& evidence);

}  // namespace orvano::basic
