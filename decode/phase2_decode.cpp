#include <string>
#include <string_view>
#include <vector>

#include "common/number_text.h"
#include "decode/block_pass.h"
#include "decode/cycle_pairer.h"
#include "decode/operations.h"
#include "decode/symbol_count.h"

namespace orvano::decode {
namespace {

// "12 zeros (40 %)"
std::string Share(std::uint64_t count, std::string_view what, std::uint64_t total) {
  return Decimal(count) + " " + std::string(what) + " (" + Decimal(static_cast<std::uint64_t>(Percent(count, total))) +
         " %)";
}

}  // namespace

Outcome Phase2Decode(FileNameSet& names, Reporter& reporter) {
  names.Tx1Name = ChangeExt(names.SourceName, "TX1");
  Log(reporter, "Process phase 2 file " + names.Tx1Name);
  names.Tx2Name = ChangeExt(names.SourceName, "TX2");
  Log(reporter, "Set output file " + names.Tx2Name);
  Log(reporter, kLongOperationText);

  const BlockPass pass{names.Tx1Name, names.Tx2Name, kPassBlockBytes, "Phase 2 decode"};
  CyclePairer pairer;
  std::vector<std::uint8_t> bits(kPassBlockBytes);
  SymbolCounts counts;
  const auto pair = [&](std::span<std::uint8_t> block) -> std::span<const std::uint8_t> {
    const auto written = std::span(bits).first(pairer.Pair(block, bits));
    CountSymbols(written, counts);
    return written;
  };
  const Outcome outcome = RunBlockPass(pass, pair, reporter);
  if (outcome == Outcome::Success) {
    // A cycle file from elsewhere may hold other characters, which the
    // pairer copies; they are no bits of a tape.
    const std::uint64_t total = counts.total;
    const std::uint64_t others = total - counts.zeros - counts.ones;
    Log(reporter, "Phase 2 done: " + Decimal(total) + " bits, " + Share(counts.zeros, "zeros", total) + ", " +
                      Share(counts.ones, "ones", total) +
                      (others > 0 ? ", " + Share(others, "other characters", total) : ""));
  }
  return outcome;
}

}  // namespace orvano::decode
