#include <array>

#include "basic/bas_decode.h"
#include "cli/subcommands.h"
#include "common/conversion_options.h"
#include "common/file_names.h"
#include "common/outcome.h"
#include "decode/operations.h"
#include "tape/cas_decode.h"

namespace orvano::cli {
namespace {

int ExitStatus(Outcome outcome) { return outcome == Outcome::Success ? kExitSuccess : kExitFailure; }

Outcome Extract(FileNameSet& names, Reporter& reporter) { return tape::CasDecode(names, reporter).outcome; }

Outcome Recode(FileNameSet& names, Reporter& reporter) { return decode::RawRecode(names, ConversionOptions{}, reporter); }

// One step of the chain on FILE, which names the source as Open would.
template <Outcome (*Step)(FileNameSet&, Reporter&)>
int RunStep(std::span<const std::string> args, Reporter& reporter, std::string& error) {
  const auto file = SingleFile(args, error);
  if (!file) return kExitUsage;
  FileNameSet names;
  names.SourceName = *file;
  return ExitStatus(Step(names, reporter));
}

// The whole chain, stopping at the first step that fails.
int RunDecode(std::span<const std::string> args, Reporter& reporter, std::string& error) {
  const auto file = SingleFile(args, error);
  if (!file) return kExitUsage;
  FileNameSet names;
  names.SourceName = *file;
  for (const auto step : {&Recode, &decode::Phase1Decode, &decode::Phase2Decode}) {
    if (step(names, reporter) == Outcome::Failure) return kExitFailure;
  }
  const tape::CasDecodeResult extracted = tape::CasDecode(names, reporter);
  if (extracted.outcome == Outcome::Success && extracted.kind == tape::TapeFileKind::Basic) {
    return ExitStatus(basic::BasDecode(names, reporter));
  }
  return ExitStatus(extracted.outcome);
}

}  // namespace

std::span<const Subcommand> DecodeSubcommands() {
  static constexpr std::array<Subcommand, 5> kTable{{
      {"recode", "FILE", "clean the recording FILE into a square wave (.MSR)", &RunStep<Recode>},
      {"phase1", "FILE", "classify the cycles of the .MSR of FILE (.TX1)", &RunStep<decode::Phase1Decode>},
      {"phase2", "FILE", "pair the cycles of the .TX1 of FILE into bits (.TX2)", &RunStep<decode::Phase2Decode>},
      {"extract", "FILE", "write the first tape file of the .TX2 of FILE (.CAS, .TXT or .BIN)", &RunStep<Extract>},
      {"decode", "FILE", "recode, phase1, phase2, extract, and list a BASIC program", &RunDecode},
  }};
  return kTable;
}

}  // namespace orvano::cli
