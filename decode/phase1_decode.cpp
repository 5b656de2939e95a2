#include <algorithm>
#include <vector>

#include "common/number_text.h"
#include "decode/block_pass.h"
#include "decode/cycle_classifier.h"
#include "decode/operations.h"
#include "decode/sample_format.h"

namespace orvano::decode {

Outcome Phase1Decode(FileNameSet& names, Reporter& reporter) {
  names.MsrName = ChangeExt(names.SourceName, "MSR");
  Log(reporter, "Process phase 1 file " + names.MsrName + " decode");
  names.Tx1Name = ChangeExt(names.SourceName, "TX1");
  Log(reporter, "Set output file " + names.Tx1Name);
  Log(reporter, kLongOperationText);

  // The classifier takes whole samples only: a trailing odd byte is none.
  const BlockPass pass{names.MsrName, names.Tx1Name, kPassBlockBytes, "Phase 1 decode"};
  CycleClassifier classifier;
  std::vector<std::uint8_t> symbols(kPassBlockBytes / kSampleBytes);
  std::uint64_t cycles = 0;
  std::uint64_t short_cycles = 0;
  const auto classify = [&](std::span<std::uint8_t> block) -> std::span<const std::uint8_t> {
    const auto written = std::span(symbols).first(classifier.Classify(block, symbols));
    cycles += written.size();
    short_cycles += static_cast<std::uint64_t>(std::count(written.begin(), written.end(), kShortCycle));
    return written;
  };
  const Outcome outcome = RunBlockPass(pass, classify, reporter);
  if (outcome == Outcome::Success) {
    // Every cycle the classifier writes is short or long.
    const std::uint64_t long_cycles = cycles - short_cycles;
    Log(reporter, "Phase 1 done: " + Decimal(cycles) + " cycles, " + Decimal(short_cycles) + " short (" +
                      Decimal(static_cast<std::uint64_t>(Percent(short_cycles, cycles))) + " %), " +
                      Decimal(long_cycles) + " long (" +
                      Decimal(static_cast<std::uint64_t>(Percent(long_cycles, cycles))) + " %)");
  }
  return outcome;
}

}  // namespace orvano::decode
