#pragma once

#include <cstdint>
#include <limits>
#include <vector>

namespace orvano::testing {

// Tape signals made to order, as real recordings and other encoders give
// them: blocks of bytes behind leaders at any speed, any layout between
// them, and the faults of cassettes and recorders one by one or together.
// The same plan and seed always give the same samples.

enum class WaveShape { Square, Smooth };
enum class SampleFormat { Float, Unsigned8, Signed16 };
// What lies before each leader and after the last block.
enum class Gap { Silence, NegativeLevel, Hiss, Nothing };

struct SynthBlock {
  std::vector<std::uint8_t> bytes;
  double baud = 1200;
  std::size_t leader_cycles = 4000;  // of the high tone
  std::vector<std::uint8_t> junk;    // after the block, framed like data
};

struct Dropout {
  double at = 0;      // seconds from the start
  double length = 0;  // seconds
  double depth_db = -20;
};

struct Impairments {
  bool inverted = false;
  double level_dbfs = -3;  // peak of the clean signal; above 0 clips
  double dc_offset = 0;    // of full scale
  double drift = 0;        // a slow swing of the offset, of full scale
  double drift_hz = 0.3;
  double snr_db = std::numeric_limits<double>::infinity();  // white noise against the signal's power
  double hum_db = -std::numeric_limits<double>::infinity(); // against the signal's peak, with 4 harmonics
  double hum_hz = 50;
  double duty = 0.5;            // share of each cycle in its first half-wave
  double second_half = 1;       // level of the second half-wave against the first
  double hf_cutoff_hz = 0;      // two-pole low-pass, 0 for none
  double speed = 1;
  double wow = 0;               // relative speed swing, slow
  double wow_hz = 0.7;
  double flutter = 0;           // relative speed swing, fast
  double flutter_hz = 13;
  std::vector<Dropout> dropouts;
};

struct TapePlan {
  unsigned sample_rate = 44100;
  SampleFormat format = SampleFormat::Float;
  WaveShape shape = WaveShape::Square;
  Gap gap = Gap::Silence;
  double gap_seconds = 0.3;
  double hiss_db = -40;  // level of a hiss gap against the signal's peak
  std::vector<SynthBlock> blocks;
  Impairments impairments;
  std::uint32_t seed = 1;
};

// The samples of one channel at full scale ±1, already rounded to the
// sample format.
std::vector<float> Synthesize(const TapePlan& plan);

// The samples as a file stores them: 8-bit unsigned or 16-bit signed
// little-endian (a float format gives 32-bit little-endian floats).
std::vector<std::uint8_t> SampleBytes(const std::vector<float>& samples, SampleFormat format);
// A WAV file of the samples on `channels` channels, the first carrying the
// tape and the others silent.
std::vector<std::uint8_t> WaveFile(const std::vector<float>& samples, unsigned sample_rate, SampleFormat format,
                                   unsigned channels = 1);
// A WAV file of one list of samples per channel, all of the same length.
std::vector<std::uint8_t> WaveFile(const std::vector<std::vector<float>>& channel_samples, unsigned sample_rate,
                                   SampleFormat format);

}  // namespace orvano::testing
