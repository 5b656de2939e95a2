#include "decode/cycle_classifier.h"

#include "decode/sample_format.h"

namespace orvano::decode {

std::size_t CycleClassifier::Classify(std::span<const std::uint8_t> samples, std::span<std::uint8_t> symbols) {
  const std::size_t count = samples.size() / kSampleBytes;
  std::uint8_t run = run_;
  std::size_t written = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (IsNegativeSample(samples[i * kSampleBytes + 1])) {
      run = static_cast<std::uint8_t>(run + 1);
      continue;
    }
    const std::uint8_t symbol = kCycleOfRun[run];
    symbols[written] = symbol;
    written += symbol != kNoCycle ? 1 : 0;
    run = 0;
  }
  run_ = run;
  return written;
}

}  // namespace orvano::decode
