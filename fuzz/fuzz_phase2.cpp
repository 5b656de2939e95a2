// Any bytes as cycle symbols for the pairer, split into blocks at a point
// the input chooses: the bits must not depend on the split, and there are
// never more bits than symbols.
#include <cstdlib>
#include <vector>

#include "decode/cycle_pairer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::span<const std::uint8_t> symbols(data + 1, size - 1);
  const std::size_t split = std::min<std::size_t>(symbols.size(), data[0]);

  std::vector<std::uint8_t> whole(symbols.size());
  orvano::decode::CyclePairer one;
  whole.resize(one.Pair(symbols, whole));

  std::vector<std::uint8_t> parts(symbols.size());
  orvano::decode::CyclePairer two;
  std::size_t count = two.Pair(symbols.first(split), parts);
  count += two.Pair(symbols.subspan(split), std::span(parts).subspan(count));
  parts.resize(count);

  if (parts != whole || one.Pending() != two.Pending()) std::abort();
  return 0;
}
