#include "basic/program_listing.h"

#include "basic/dialect_evidence.h"
#include "basic/program_lister.h"
#include "common/number_text.h"

namespace orvano::basic {
namespace {

constexpr std::uint8_t kDiskFileMarker = 0xFF;

int LinksAgreeing(std::span<const std::uint8_t> program) {
  std::string record;
  ProgramLister survey(program, RulesOf(Dialect::Msx), nullptr);
  while (survey.Next(record)) {
  }
  return LineAddressMap(program, survey.Lines()).Agreeing();
}

// A disk file starts with 0xFF; so does a program from tape whose first line
// is 254 bytes long, as the low byte of its link. The reading whose links
// agree more wins, and the marker on a tie.
std::span<const std::uint8_t> WithoutMarker(std::span<const std::uint8_t> program) {
  if (program.empty() || program[0] != kDiskFileMarker) return program;
  const std::span<const std::uint8_t> after = program.subspan(1);
  return LinksAgreeing(program) > LinksAgreeing(after) ? program : after;
}

void LimitProblems(std::vector<std::string>& problems) {
  if (problems.size() <= kMaxProblems) return;
  const std::size_t rest = problems.size() - kMaxProblems;
  problems.resize(kMaxProblems);
  problems.push_back("and " + Decimal(rest) + " more problems");
}

}  // namespace

ProgramListing ListRecords(std::span<const std::uint8_t> program, DialectChoice choice,
                           const std::function<bool(std::string_view)>& sink) {
  program = WithoutMarker(program);
  ProgramListing listing;
  if (choice == DialectChoice::Auto) {
    const DialectDecision decision = Decide(WeighEvidence(program));
    listing.dialect = decision.dialect;
    listing.choice_line = "listed as " + std::string(RulesOf(decision.dialect).name) + " (" + decision.reason + ")";
  } else {
    listing.dialect = choice == DialectChoice::Msx ? Dialect::Msx : Dialect::Korvet;
    listing.choice_line = "listed as " + std::string(RulesOf(listing.dialect).name);
  }
  const DialectRules& rules = RulesOf(listing.dialect);

  // A first pass finds the lines, so that the links tell where the program
  // lay in memory before any pointer to a later line is met.
  std::string record;
  ProgramLister survey(program, rules, nullptr);
  while (survey.Next(record)) {
  }
  const LineAddressMap addresses(program, survey.Lines());

  ProgramLister lister(program, rules, &addresses);
  while (lister.Next(record) && sink(record)) {
  }
  listing.problems = lister.TakeProblems();
  LimitProblems(listing.problems);
  return listing;
}

ProgramListing ListProgram(std::span<const std::uint8_t> program, DialectChoice choice) {
  std::string text;
  ProgramListing listing = ListRecords(program, choice, [&text](std::string_view record) {
    text += record;
    return true;
  });
  listing.text = std::move(text);
  return listing;
}

}  // namespace orvano::basic
