#include "decode/short_samples.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvano::decode {
namespace {

constexpr float kScale = 1.0f / 32768.0f;

float ShortToFloat(const std::uint8_t* bytes) {
  return static_cast<float>(static_cast<std::int16_t>(bytes[0] | bytes[1] << 8)) * kScale;
}

}  // namespace

#if defined(__SSE2__) && !defined(ORVANO_PORTABLE_KERNELS)
void ShortsToFloats(const std::uint8_t* bytes, std::size_t count, float* out) {
  const __m128 scale = _mm_set1_ps(kScale);
  std::size_t i = 0;
  // Eight samples (16 bytes) are read before eight floats (32 bytes) are
  // written, so the floats never reach samples still to be read.
  for (; i + 8 <= count; i += 8) {
    const __m128i shorts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 2 * i));
    // Each short in the upper half of a word, shifted down with its sign.
    const __m128i low = _mm_srai_epi32(_mm_unpacklo_epi16(shorts, shorts), 16);
    const __m128i high = _mm_srai_epi32(_mm_unpackhi_epi16(shorts, shorts), 16);
    _mm_storeu_ps(out + i, _mm_mul_ps(_mm_cvtepi32_ps(low), scale));
    _mm_storeu_ps(out + i + 4, _mm_mul_ps(_mm_cvtepi32_ps(high), scale));
  }
  for (; i < count; ++i) out[i] = ShortToFloat(bytes + 2 * i);
}
#else
void ShortsToFloats(const std::uint8_t* bytes, std::size_t count, float* out) {
  for (std::size_t i = 0; i < count; ++i) out[i] = ShortToFloat(bytes + 2 * i);
}
#endif

}  // namespace orvano::decode
