// Any bytes as samples for the cycle classifier, split into blocks at a
// point the input chooses: the symbols must not depend on the split.
#include <cstdlib>
#include <vector>

#include "decode/cycle_classifier.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::span<const std::uint8_t> samples(data + 1, (size - 1) & ~std::size_t{1});
  const std::size_t split = std::min<std::size_t>(samples.size(), 2u * data[0]);

  std::vector<std::uint8_t> whole(samples.size() / 2);
  orvano::decode::CycleClassifier one;
  whole.resize(one.Classify(samples, whole));

  std::vector<std::uint8_t> parts(samples.size() / 2);
  orvano::decode::CycleClassifier two;
  std::size_t count = two.Classify(samples.first(split), parts);
  count += two.Classify(samples.subspan(split), std::span(parts).subspan(count));
  parts.resize(count);

  if (parts != whole || one.Run() != two.Run()) std::abort();
  for (const std::uint8_t symbol : whole) {
    if (symbol != '0' && symbol != '1') std::abort();
  }
  return 0;
}
