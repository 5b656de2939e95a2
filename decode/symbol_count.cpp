#include "decode/symbol_count.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvano::decode {
namespace {

#if defined(__SSE2__) && !defined(ORVANO_PORTABLE_KERNELS)
// The sum of the sixteen byte lanes.
std::uint64_t LaneSum(__m128i lanes) {
  const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
  return static_cast<std::uint64_t>(_mm_cvtsi128_si32(sums)) +
         static_cast<std::uint64_t>(_mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
}
#endif

}  // namespace

void CountSymbols(std::span<const std::uint8_t> symbols, SymbolCounts& counts) {
  std::size_t i = 0;
#if defined(__SSE2__) && !defined(ORVANO_PORTABLE_KERNELS)
  const __m128i zero = _mm_set1_epi8(static_cast<char>(kZeroBit));
  const __m128i one = _mm_set1_epi8(static_cast<char>(kOneBit));
  while (symbols.size() - i >= 16) {
    // Each lane counts one byte of every group of sixteen; 255 groups at
    // most, so that no lane overflows.
    const std::size_t groups = std::min<std::size_t>((symbols.size() - i) / 16, 255);
    __m128i zeros = _mm_setzero_si128();
    __m128i ones = _mm_setzero_si128();
    for (std::size_t g = 0; g < groups; ++g, i += 16) {
      const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(symbols.data() + i));
      zeros = _mm_sub_epi8(zeros, _mm_cmpeq_epi8(chars, zero));
      ones = _mm_sub_epi8(ones, _mm_cmpeq_epi8(chars, one));
    }
    counts.zeros += LaneSum(zeros);
    counts.ones += LaneSum(ones);
  }
#endif
  for (; i < symbols.size(); ++i) {
    counts.zeros += symbols[i] == kZeroBit ? 1 : 0;
    counts.ones += symbols[i] == kOneBit ? 1 : 0;
  }
  counts.total += symbols.size();
}

}  // namespace orvano::decode
