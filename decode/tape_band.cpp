#include "decode/tape_band.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvano::decode {
namespace {

constexpr double kLowCorner = 1000;
constexpr double kHighCorner = 6000;
// Butterworth sections: flat in the band, no peak at the corners.
constexpr double kQ = std::numbers::sqrt2 / 2;

}  // namespace

// The sections follow the well-known biquad recipes of the audio EQ cookbook.
TapeBandMeter::Biquad TapeBandMeter::HighPass(double corner, double rate) {
  const double w = 2 * std::numbers::pi * corner / rate;
  const double alpha = std::sin(w) / (2 * kQ);
  const double a0 = 1 + alpha;
  Biquad q;
  q.b0 = (1 + std::cos(w)) / 2 / a0;
  q.b1 = -(1 + std::cos(w)) / a0;
  q.b2 = q.b0;
  q.a1 = -2 * std::cos(w) / a0;
  q.a2 = (1 - alpha) / a0;
  return q;
}

TapeBandMeter::Biquad TapeBandMeter::LowPass(double corner, double rate) {
  const double w = 2 * std::numbers::pi * corner / rate;
  const double alpha = std::sin(w) / (2 * kQ);
  const double a0 = 1 + alpha;
  Biquad q;
  q.b0 = (1 - std::cos(w)) / 2 / a0;
  q.b1 = (1 - std::cos(w)) / a0;
  q.b2 = q.b0;
  q.a1 = -2 * std::cos(w) / a0;
  q.a2 = (1 - alpha) / a0;
  return q;
}

TapeBandMeter::TapeBandMeter(unsigned sample_rate) {
  // At 8000 Hz the band ends at what the rate can hold.
  const double rate = std::max(1u, sample_rate);
  high_ = HighPass(std::min(kLowCorner, 0.2 * rate), rate);
  low_ = LowPass(std::min(kHighCorner, 0.45 * rate), rate);
}

}  // namespace orvano::decode
