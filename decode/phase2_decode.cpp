#include <vector>

#include "decode/block_pass.h"
#include "decode/cycle_pairer.h"
#include "decode/operations.h"

namespace orvano::decode {

Outcome Phase2Decode(FileNameSet& names, Reporter& reporter) {
  names.Tx1Name = ChangeExt(names.SourceName, "TX1");
  Log(reporter, "Process phase 2 file " + names.Tx1Name);
  names.Tx2Name = ChangeExt(names.SourceName, "TX2");
  Log(reporter, "Set output file " + names.Tx2Name);
  Log(reporter, kLongOperationText);

  const BlockPass pass{names.Tx1Name, names.Tx2Name, kPassBlockBytes, "Phase 2 decode"};
  CyclePairer pairer;
  std::vector<std::uint8_t> bits(kPassBlockBytes);
  const auto pair = [&](std::span<std::uint8_t> block) -> std::span<const std::uint8_t> {
    return std::span(bits).first(pairer.Pair(block, bits));
  };
  return RunBlockPass(pass, pair, reporter);
}

}  // namespace orvano::decode
