#include "decode/sample_decimator.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvano::decode {
namespace {

constexpr unsigned kLowestInternalRate = 20000;

// A broken float file may hold anything; beyond this the samples are no
// signal, and keeping them in bounds keeps every sum after them finite.
constexpr float kLimit = 8.0f;

// One halving: the mean of each pair of `count` samples (count is even).
// The last halving of a group also keeps the means within the limits,
// NaN becoming the lower one.
#if defined(__SSE2__) && !defined(ORVANO_PORTABLE_KERNELS)
template <bool kClamp>
void HalvePairs(const float* in, float* out, std::size_t count) {
  const __m128 half = _mm_set1_ps(0.5f);
  // maxps returns its second operand when either is NaN.
  const __m128 low = _mm_set1_ps(-kLimit);
  const __m128 high = _mm_set1_ps(kLimit);
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m128 a = _mm_loadu_ps(in + i);
    const __m128 b = _mm_loadu_ps(in + i + 4);
    const __m128 even = _mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0));
    const __m128 odd = _mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1));
    __m128 mean = _mm_mul_ps(_mm_add_ps(even, odd), half);
    if constexpr (kClamp) mean = _mm_min_ps(_mm_max_ps(mean, low), high);
    _mm_storeu_ps(out + i / 2, mean);
  }
  for (; i < count; i += 2) {
    const float mean = (in[i] + in[i + 1]) * 0.5f;
    out[i / 2] = kClamp ? std::min(std::max(-kLimit, mean), kLimit) : mean;
  }
}

void ClampCopy(std::span<const float> in, float* out) {
  const __m128 low = _mm_set1_ps(-kLimit);
  const __m128 high = _mm_set1_ps(kLimit);
  std::size_t i = 0;
  for (; i + 4 <= in.size(); i += 4) _mm_storeu_ps(out + i, _mm_min_ps(_mm_max_ps(_mm_loadu_ps(in.data() + i), low), high));
  for (; i < in.size(); ++i) out[i] = std::min(std::max(-kLimit, in[i]), kLimit);
}
#else
// max() keeps its first operand unless the second compares greater, which
// NaN never does.
template <bool kClamp>
void HalvePairs(const float* in, float* out, std::size_t count) {
  for (std::size_t i = 0; i < count; i += 2) {
    const float mean = (in[i] + in[i + 1]) * 0.5f;
    out[i / 2] = kClamp ? std::min(std::max(-kLimit, mean), kLimit) : mean;
  }
}

void ClampCopy(std::span<const float> in, float* out) {
  for (std::size_t i = 0; i < in.size(); ++i) out[i] = std::min(std::max(-kLimit, in[i]), kLimit);
}
#endif

}  // namespace

unsigned DecimationFor(unsigned sample_rate) {
  unsigned factor = 1;
  while (sample_rate / (2 * factor) >= kLowestInternalRate) factor *= 2;
  return factor;
}

SampleDecimator::SampleDecimator(unsigned factor) : factor_(factor == 0 ? 1 : factor) {}

std::size_t SampleDecimator::Decimate(std::span<const float> in, std::span<float> out) {
  if (factor_ == 1) {
    ClampCopy(in, out.data());
    return in.size();
  }
  std::size_t written = 0;
  std::size_t used = 0;
  // A group begun in the block before is finished here and averaged the
  // same way as any other, so that the output never depends on where the
  // blocks were cut.
  if (!pending_.empty()) {
    while (pending_.size() < factor_ && used < in.size()) pending_.push_back(in[used++]);
    if (pending_.size() < factor_) return 0;
    std::size_t count = factor_;
    for (; count > 2; count /= 2) HalvePairs<false>(pending_.data(), pending_.data(), count);
    HalvePairs<true>(pending_.data(), out.data() + written++, count);
    pending_.clear();
  }
  const std::size_t whole = (in.size() - used) / factor_ * factor_;
  if (whole != 0) {
    float* target = out.data() + written;
    if (factor_ == 2) {
      HalvePairs<true>(in.data() + used, target, whole);
    } else {
      // The halvings before the last work in a buffer of their own, since
      // `out` only has room for the final means.
      scratch_.resize(whole / 2);
      HalvePairs<false>(in.data() + used, scratch_.data(), whole);
      std::size_t count = whole / 2;
      for (; count > 2 * (whole / factor_); count /= 2) HalvePairs<false>(scratch_.data(), scratch_.data(), count);
      HalvePairs<true>(scratch_.data(), target, count);
    }
    written += whole / factor_;
    used += whole;
  }
  pending_.assign(in.begin() + static_cast<std::ptrdiff_t>(used), in.end());
  return written;
}

}  // namespace orvano::decode
