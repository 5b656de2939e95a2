#include "decode/cycle_classifier.h"

#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/byte_order.h"
#include "decode/sample_format.h"

namespace orvano::decode {
namespace {

constexpr std::size_t kWordSamples = 64;

// A mask with bit j set where sample j of the 64 at `p` is negative.
#if defined(__SSE2__) && !defined(ORVANO_PORTABLE_KERNELS)
std::uint64_t NegativeSamplesOf64(const std::uint8_t* p) {
  // Packing with saturation keeps each sample's sign in one byte, and the
  // byte signs of sixteen samples make one movemask.
  std::uint64_t mask = 0;
  for (std::size_t part = 0; part < kWordSamples / 16; ++part) {
    const auto* in = reinterpret_cast<const __m128i*>(p + 32 * part);
    const __m128i signs = _mm_packs_epi16(_mm_loadu_si128(in), _mm_loadu_si128(in + 1));
    mask |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(signs))} << (16 * part);
  }
  return mask;
}
#else
std::uint64_t NegativeSamplesOf64(const std::uint8_t* p) {
  // Four samples fill one 64-bit word; masking their sign bits and
  // multiplying moves the four signs to the top without carries between them.
  constexpr std::uint64_t kSignBits = 0x8000'8000'8000'8000u;
  constexpr std::uint64_t kGather = (std::uint64_t{1} << 45) | (std::uint64_t{1} << 30) | (std::uint64_t{1} << 15) | 1u;
  std::uint64_t mask = 0;
  for (std::size_t group = 0; group < kWordSamples / 4; ++group) {
    const std::uint64_t word = LoadLittle64(p + 8 * group);
    mask |= (((word & kSignBits) * kGather) >> 60) << (4 * group);
  }
  return mask;
}
#endif

}  // namespace

std::size_t CycleClassifier::Classify(std::span<const std::uint8_t> samples, std::span<std::uint8_t> symbols) {
  const std::size_t count = samples.size() / kSampleBytes;
  std::uint8_t run = run_;
  std::size_t written = 0;
  const auto emit = [&](std::uint8_t length) {
    const std::uint8_t symbol = kCycleOfRun[length];
    symbols[written] = symbol;
    written += symbol != kNoCycle ? 1 : 0;
  };
  std::size_t i = 0;
  // 64 samples at a time: only the samples that end a negative run write a
  // symbol, and the length of that run is the distance to the sample before
  // it that was not negative, or, for the first run of the word, that
  // distance plus the run carried in.
  for (; i + kWordSamples <= count; i += kWordSamples) {
    const std::uint64_t negative = NegativeSamplesOf64(samples.data() + i * kSampleBytes);
    const std::uint64_t others = ~negative;
    std::uint64_t run_ends = others & ((negative << 1) | (run != 0 ? 1u : 0u));
    for (; run_ends != 0; run_ends &= run_ends - 1) {
      const int end = std::countr_zero(run_ends);
      const std::uint64_t others_before = others & ((std::uint64_t{1} << end) - 1);
      const int start = others_before == 0 ? 0 : 64 - std::countl_zero(others_before);
      emit(static_cast<std::uint8_t>((others_before == 0 ? run : 0) + (end - start)));
    }
    // The counter is 8 bits wide, so a run that fills the word adds 64 and wraps.
    run = others == 0 ? static_cast<std::uint8_t>(run + kWordSamples)
                      : static_cast<std::uint8_t>(std::countl_zero(others));
  }
  for (; i < count; ++i) {
    if (IsNegativeSample(samples[i * kSampleBytes + 1])) {
      run = static_cast<std::uint8_t>(run + 1);
      continue;
    }
    emit(run);
    run = 0;
  }
  run_ = run;
  return written;
}

}  // namespace orvano::decode
