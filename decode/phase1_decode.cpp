#include <vector>

#include "common/number_text.h"
#include "decode/block_pass.h"
#include "decode/cycle_classifier.h"
#include "decode/operations.h"
#include "decode/sample_format.h"
#include "decode/symbol_count.h"

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
  SymbolCounts counts;
  const auto classify = [&](std::span<std::uint8_t> block) -> std::span<const std::uint8_t> {
    const auto written = std::span(symbols).first(classifier.Classify(block, symbols));
    CountSymbols(written, counts);
    return written;
  };
  const Outcome outcome = RunBlockPass(pass, classify, reporter);
  if (outcome == Outcome::Success) {
    // Every cycle the classifier writes is short or long.
    Log(reporter, "Phase 1 done: " + Decimal(counts.total) + " cycles, " + Decimal(counts.ones) + " short (" +
                      Decimal(static_cast<std::uint64_t>(Percent(counts.ones, counts.total))) + " %), " +
                      Decimal(counts.zeros) + " long (" +
                      Decimal(static_cast<std::uint64_t>(Percent(counts.zeros, counts.total))) + " %)");
  }
  return outcome;
}

}  // namespace orvano::decode
