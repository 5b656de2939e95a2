#include "decode/channel_pick.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvano::decode {

#if defined(__SSE2__) && !defined(ORVANO_PORTABLE_KERNELS)
void PickChannel(const float* frames, std::size_t count, unsigned channels, unsigned channel, float* out) {
  std::size_t i = 0;
  // Stereo, nearly every recording with more than one channel: four frames
  // at a time, the wanted halves shuffled together.
  if (channels == 2) {
    for (; i + 4 <= count; i += 4) {
      const __m128 first = _mm_loadu_ps(frames + 2 * i);
      const __m128 second = _mm_loadu_ps(frames + 2 * i + 4);
      _mm_storeu_ps(out + i, channel == 0 ? _mm_shuffle_ps(first, second, _MM_SHUFFLE(2, 0, 2, 0))
                                          : _mm_shuffle_ps(first, second, _MM_SHUFFLE(3, 1, 3, 1)));
    }
  }
  for (; i < count; ++i) out[i] = frames[i * channels + channel];
}
#else
void PickChannel(const float* frames, std::size_t count, unsigned channels, unsigned channel, float* out) {
  for (std::size_t i = 0; i < count; ++i) out[i] = frames[i * channels + channel];
}
#endif

}  // namespace orvano::decode
