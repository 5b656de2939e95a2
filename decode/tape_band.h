#pragma once

#include <cstddef>

namespace orvano::decode {

// The energy of a signal between about 1 and 6 kHz, where the tones of a
// tape at 1200 and 2400 baud and their first harmonics lie. Hum, rumble and
// the hiss above the band hardly count, so the channel that carries the tape
// has the most of it even when another one is louder.
class TapeBandMeter {
 public:
  explicit TapeBandMeter(unsigned sample_rate);

  // One sample of the channel, at full scale ±1.
  void Add(float sample) {
    const double high_passed = high_.Filter(sample);
    const double band = low_.Filter(high_passed);
    energy_ += band * band;
  }
  double Energy() const { return energy_; }

 private:
  // A second-order section in transposed direct form II.
  struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double z1 = 0, z2 = 0;

    double Filter(double x) {
      const double y = b0 * x + z1;
      z1 = b1 * x - a1 * y + z2;
      z2 = b2 * x - a2 * y;
      return y;
    }
  };
  static Biquad HighPass(double corner, double rate);
  static Biquad LowPass(double corner, double rate);

  Biquad high_;
  Biquad low_;
  double energy_ = 0;
};

}  // namespace orvano::decode
