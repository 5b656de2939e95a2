#include "decode/crossing_detector.h"

#include <algorithm>
#include <bit>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace orvano::decode {
namespace {

// A fifth of the amplitude keeps the trigger clear of noise at 14 dB while a
// high tone dulled to half the level of the low one still crosses it.
constexpr float kHysteresis = 0.2f;
// Below this the input is taken for digital silence: no crossings at all.
constexpr float kLeastHysteresis = 2e-5f;
// The window of extremes spans the longest cycle of a slow tape.
constexpr double kWindowSeconds = 1.2e-3;

}  // namespace

#if defined(__SSE2__) && !defined(ORVANO_PORTABLE_KERNELS)
GroupScan ExtremesOfGroup(const float* samples) {
  __m128 low = _mm_loadu_ps(samples);
  __m128 high = low;
  for (std::size_t i = 4; i < kGroupSamples; i += 4) {
    const __m128 v = _mm_loadu_ps(samples + i);
    low = _mm_min_ps(low, v);
    high = _mm_max_ps(high, v);
  }
  low = _mm_min_ps(low, _mm_shuffle_ps(low, low, _MM_SHUFFLE(1, 0, 3, 2)));
  low = _mm_min_ps(low, _mm_shuffle_ps(low, low, _MM_SHUFFLE(2, 3, 0, 1)));
  high = _mm_max_ps(high, _mm_shuffle_ps(high, high, _MM_SHUFFLE(1, 0, 3, 2)));
  high = _mm_max_ps(high, _mm_shuffle_ps(high, high, _MM_SHUFFLE(2, 3, 0, 1)));
  return {_mm_cvtss_f32(low), _mm_cvtss_f32(high)};
}

GroupMasks ThresholdMasks(const float* samples, float high, float middle, float low) {
  const __m128 above = _mm_set1_ps(high);
  const __m128 half = _mm_set1_ps(middle);
  const __m128 below = _mm_set1_ps(low);
  // The comparisons of 16 samples packed into one vector of bytes in their
  // order, so that one movemask gives 16 bits.
  const auto bits = [](__m128 a, __m128 b, __m128 c, __m128 d) {
    const __m128i low_half = _mm_packs_epi32(_mm_castps_si128(a), _mm_castps_si128(b));
    const __m128i high_half = _mm_packs_epi32(_mm_castps_si128(c), _mm_castps_si128(d));
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(low_half, high_half)));
  };
  GroupMasks masks;
  for (std::size_t i = 0; i < kGroupSamples; i += 16) {
    const __m128 v0 = _mm_loadu_ps(samples + i);
    const __m128 v1 = _mm_loadu_ps(samples + i + 4);
    const __m128 v2 = _mm_loadu_ps(samples + i + 8);
    const __m128 v3 = _mm_loadu_ps(samples + i + 12);
    masks.above |= bits(_mm_cmpgt_ps(v0, above), _mm_cmpgt_ps(v1, above), _mm_cmpgt_ps(v2, above),
                        _mm_cmpgt_ps(v3, above)) << i;
    masks.below |= bits(_mm_cmplt_ps(v0, below), _mm_cmplt_ps(v1, below), _mm_cmplt_ps(v2, below),
                        _mm_cmplt_ps(v3, below)) << i;
    masks.over_middle |= bits(_mm_cmpgt_ps(v0, half), _mm_cmpgt_ps(v1, half), _mm_cmpgt_ps(v2, half),
                              _mm_cmpgt_ps(v3, half)) << i;
  }
  return masks;
}
#else
GroupScan ExtremesOfGroup(const float* samples) {
  GroupScan scan{samples[0], samples[0]};
  for (std::size_t i = 1; i < kGroupSamples; ++i) {
    scan.lowest = std::min(scan.lowest, samples[i]);
    scan.highest = std::max(scan.highest, samples[i]);
  }
  return scan;
}

GroupMasks ThresholdMasks(const float* samples, float high, float middle, float low) {
  GroupMasks masks;
  for (std::size_t i = 0; i < kGroupSamples; ++i) {
    masks.above |= (samples[i] > high ? 1u : 0u) << i;
    masks.below |= (samples[i] < low ? 1u : 0u) << i;
    masks.over_middle |= (samples[i] > middle ? 1u : 0u) << i;
  }
  return masks;
}
#endif

GroupTrips TripsOfGroup(std::uint32_t above, std::uint32_t below, int state) {
  const std::uint32_t outside = above | below;
  if (outside == 0) return {0, state};
  // A trigger not known yet is set by the first sample outside the band,
  // which is no trip.
  std::uint64_t carry = state > 0 ? 1 : 0;
  if (state == 0) carry = (above >> std::countr_zero(outside)) & 1u;
  // In the sum of these two, a sample above the band makes a carry, one
  // below it stops the carry, one inside passes it on: the carry into bit
  // p is the trigger's state before sample p, and it trips where that
  // state changes.
  const std::uint64_t passes = static_cast<std::uint32_t>(~below);
  const std::uint64_t makes = above;
  const std::uint64_t carries = (passes + makes + carry) ^ passes ^ makes;
  return {static_cast<std::uint32_t>(carries ^ (carries >> 1)), (carries >> 32) != 0 ? 1 : -1};
}

CrossingDetector::CrossingDetector(unsigned rate)
    // A quarter of the slowest cycle: the farthest a crossing lies behind
    // the sample that tripped the trigger.
    : back_limit_(static_cast<std::size_t>(rate / 3600) + 2),
      window_groups_(std::clamp<std::size_t>(static_cast<std::size_t>(std::ceil(kWindowSeconds * rate / kGroupSamples)),
                                             1, window_.size())) {}

double CrossingDetector::SafeTime() const {
  return static_cast<double>(done_) - static_cast<double>(back_limit_) - 1.0;
}

// Each group's band depends on its extremes, its masks on the band, its
// trips on the trigger's state: one group at a time, every step would wait
// for the one before. Passes over all the groups at hand let the groups'
// independent work overlap, and leave only the trips in order.
void CrossingDetector::Scan(const SampleWindow& samples, std::vector<Crossing>& out, std::vector<float>& levels) {
  if (done_ < samples.Begin()) done_ = (samples.Begin() + kGroupSamples - 1) / kGroupSamples * kGroupSamples;
  if (samples.End() < done_ + kGroupSamples) return;
  const auto count = static_cast<std::size_t>((samples.End() - done_) / kGroupSamples);
  // At most one crossing a sample, so the list never grows inside a group.
  out.reserve(out.size() + count * kGroupSamples);
  bands_.resize(count);
  for (std::size_t g = 0; g < count; ++g) bands_[g].extremes = ExtremesOfGroup(samples.Data(done_ + g * kGroupSamples));
  for (std::size_t g = 0; g < count; ++g) {
    Band& band = bands_[g];
    window_[window_next_] = band.extremes;
    window_next_ = window_next_ + 1 == window_groups_ ? 0 : window_next_ + 1;
    float lowest = window_[0].lowest;
    float highest = window_[0].highest;
    for (std::size_t i = 1; i < window_groups_; ++i) {
      lowest = std::min(lowest, window_[i].lowest);
      highest = std::max(highest, window_[i].highest);
    }
    band.middle = 0.5f * (highest + lowest);
    band.level = 0.5f * (highest - lowest);
    levels.push_back(band.level);
    // NaN and infinite input leave no usable level; such a group is skipped.
    band.usable = std::isfinite(band.middle) && std::isfinite(band.level);
    if (!band.usable) continue;
    const float margin = std::max(kHysteresis * band.level, kLeastHysteresis);
    band.masks = ThresholdMasks(samples.Data(done_ + g * kGroupSamples), band.middle + margin, band.middle,
                                band.middle - margin);
  }
  for (std::size_t g = 0; g < count; ++g) {
    if (bands_[g].usable) AddCrossings(samples, done_ + g * kGroupSamples, bands_[g], out);
  }
  done_ += count * kGroupSamples;
}

void CrossingDetector::AddCrossings(const SampleWindow& history, std::uint64_t first, const Band& band,
                                    std::vector<Crossing>& out) {
  const std::uint64_t begin = history.Begin();
  const GroupMasks& masks = band.masks;
  const float middle = band.middle;
  const GroupTrips trips = TripsOfGroup(masks.above, masks.below, state_);
  state_ = trips.state;
  for (std::uint32_t left = trips.trips; left != 0; left &= left - 1) {
    const int at = std::countr_zero(left);
    const bool rising = ((masks.above >> at) & 1u) != 0;
    // The signal passed the middle level after the last sample before the
    // trip that lay on the other side of it.
    const std::uint32_t other_side = (rising ? ~masks.over_middle : masks.over_middle) & ((1u << at) - 1u);
    std::uint64_t j = first + static_cast<std::uint64_t>(at);
    if (other_side != 0) {
      j = first + static_cast<std::uint64_t>(32 - std::countl_zero(other_side));
    } else {
      const std::uint64_t earliest = std::max<std::uint64_t>(begin + 1, j > back_limit_ ? j - back_limit_ : 0);
      const float sign = rising ? 1.0f : -1.0f;
      while (j > earliest && (history.At(j - 1) - middle) * sign > 0) --j;
    }
    double time = static_cast<double>(j);
    if (j > begin) {
      const float before = history.At(j - 1) - middle;
      const float after = history.At(j) - middle;
      const float step = after - before;
      // Samples near the float limits can overflow on the way; such a
      // crossing stays at the sample.
      const float fraction = -before / step;
      if (fraction >= 0 && fraction <= 1) time = static_cast<double>(j - 1) + static_cast<double>(fraction);
    }
    out.push_back({time, band.level, rising});
  }
}

}  // namespace orvano::decode
