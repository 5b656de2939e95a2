#include <vector>

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
  const auto classify = [&](std::span<std::uint8_t> block) -> std::span<const std::uint8_t> {
    return std::span(symbols).first(classifier.Classify(block, symbols));
  };
  return RunBlockPass(pass, classify, reporter);
}

}  // namespace orvano::decode
