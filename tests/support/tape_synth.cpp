#include "tests/support/tape_synth.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>

namespace orvano::testing {
namespace {

// A stretch of tape time: a gap, or cells of one or two cycles.
struct Segment {
  double start = 0;
  double length = 0;
  int cycles = 0;  // 0 for a gap
};

void AddCell(std::vector<Segment>& tape, double& at, double baud, bool one) {
  const double length = 1 / baud;
  tape.push_back({at, length, one ? 2 : 1});
  at += length;
}

void AddByte(std::vector<Segment>& tape, double& at, double baud, std::uint8_t byte) {
  AddCell(tape, at, baud, false);
  for (int bit = 0; bit < 8; ++bit) AddCell(tape, at, baud, ((byte >> bit) & 1) != 0);
  AddCell(tape, at, baud, true);
  AddCell(tape, at, baud, true);
}

std::vector<Segment> Layout(const TapePlan& plan) {
  std::vector<Segment> tape;
  double at = 0;
  const double gap = plan.gap == Gap::Nothing ? 0 : plan.gap_seconds;
  for (const SynthBlock& block : plan.blocks) {
    if (gap > 0 || tape.empty()) {
      tape.push_back({at, std::max(gap, 0.02), 0});
      at += tape.back().length;
    }
    for (std::size_t i = 0; i < block.leader_cycles / 2; ++i) AddCell(tape, at, block.baud, true);
    for (const std::uint8_t byte : block.bytes) AddByte(tape, at, block.baud, byte);
    for (const std::uint8_t byte : block.junk) AddByte(tape, at, block.baud, byte);
  }
  tape.push_back({at, std::max(gap, 0.02), 0});
  return tape;
}

// The clean wave at a point of a segment, first half-wave positive.
double WaveAt(const Segment& segment, double at, const TapePlan& plan) {
  const Impairments& faults = plan.impairments;
  double phase = (at - segment.start) / segment.length * segment.cycles;
  phase -= std::floor(phase);
  const double duty = std::clamp(faults.duty, 0.05, 0.95);
  const bool first = phase < duty;
  const double within = first ? phase / duty : (phase - duty) / (1 - duty);
  const double value = plan.shape == WaveShape::Square ? 1.0 : std::sin(std::numbers::pi * within);
  return first ? value : -value * faults.second_half;
}

float Quantize(double value, SampleFormat format) {
  value = std::clamp(value, -1.0, 1.0);
  switch (format) {
    case SampleFormat::Unsigned8:
      return static_cast<float>(std::clamp(std::round(value * 128), -128.0, 127.0) / 128);
    case SampleFormat::Signed16:
      return static_cast<float>(std::clamp(std::round(value * 32768), -32768.0, 32767.0) / 32768);
    case SampleFormat::Float:
      break;
  }
  return static_cast<float>(value);
}

}  // namespace

std::vector<float> Synthesize(const TapePlan& plan) {
  const Impairments& faults = plan.impairments;
  const std::vector<Segment> tape = Layout(plan);
  const double tape_end = tape.back().start + tape.back().length;
  const double rate = plan.sample_rate;
  const double amplitude = std::pow(10.0, faults.level_dbfs / 20);
  const double power = plan.shape == WaveShape::Square ? 1.0 : 0.5;
  const double noise_sigma =
      std::isfinite(faults.snr_db) ? amplitude * std::sqrt(power) * std::pow(10.0, -faults.snr_db / 20) : 0;
  const double hiss_sigma = amplitude * std::pow(10.0, plan.hiss_db / 20);
  const double hum = std::isfinite(faults.hum_db) ? amplitude * std::pow(10.0, faults.hum_db / 20) : 0;
  // Two one-pole sections; their corner is raised so that the pair loses
  // 3 dB at the cut-off.
  const double pole = faults.hf_cutoff_hz > 0
                          ? std::exp(-2 * std::numbers::pi * faults.hf_cutoff_hz * 1.554 / rate)
                          : 0.0;
  std::mt19937 random(plan.seed);
  std::normal_distribution<double> gauss(0.0, 1.0);

  std::vector<float> samples;
  samples.reserve(static_cast<std::size_t>(tape_end / faults.speed * rate) + 16);
  double tape_time = 0;
  std::size_t segment = 0;
  double low1 = 0;
  double low2 = 0;
  for (std::size_t n = 0; tape_time < tape_end; ++n) {
    const double t = static_cast<double>(n) / rate;
    while (segment + 1 < tape.size() && tape_time >= tape[segment].start + tape[segment].length) ++segment;
    const Segment& here = tape[segment];
    double value = 0;
    bool in_gap = here.cycles == 0;
    if (!in_gap) {
      value = WaveAt(here, tape_time, plan);
    } else if (plan.gap == Gap::NegativeLevel) {
      value = -1;
    }
    if (faults.hf_cutoff_hz > 0) {
      low1 = value + pole * (low1 - value);
      low2 = low1 + pole * (low2 - low1);
      value = low2;
    }
    if (faults.inverted) value = -value;
    value *= amplitude;
    for (const Dropout& dropout : faults.dropouts) {
      if (t >= dropout.at && t < dropout.at + dropout.length) value *= std::pow(10.0, dropout.depth_db / 20);
    }
    value += faults.dc_offset + faults.drift * std::sin(2 * std::numbers::pi * faults.drift_hz * t);
    for (int harmonic = 1; harmonic <= 5 && hum != 0; ++harmonic) {
      value += hum / harmonic * std::sin(2 * std::numbers::pi * faults.hum_hz * harmonic * t + harmonic);
    }
    if (noise_sigma > 0) value += noise_sigma * gauss(random);
    if (in_gap && plan.gap == Gap::Hiss) value += hiss_sigma * gauss(random);
    samples.push_back(Quantize(value, plan.format));

    const double swing = faults.wow * std::sin(2 * std::numbers::pi * faults.wow_hz * t) +
                         faults.flutter * std::sin(2 * std::numbers::pi * faults.flutter_hz * t);
    tape_time += faults.speed * (1 + swing) / rate;
  }
  return samples;
}

std::vector<std::uint8_t> SampleBytes(const std::vector<float>& samples, SampleFormat format) {
  std::vector<std::uint8_t> bytes;
  for (const float sample : samples) {
    switch (format) {
      case SampleFormat::Unsigned8:
        bytes.push_back(static_cast<std::uint8_t>(std::clamp(std::lround(sample * 128.0f) + 128, 0L, 255L)));
        break;
      case SampleFormat::Signed16: {
        const auto value = static_cast<std::uint16_t>(std::clamp(std::lround(sample * 32768.0f), -32768L, 32767L));
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
        break;
      }
      case SampleFormat::Float: {
        std::uint32_t word = 0;
        std::memcpy(&word, &sample, sizeof word);
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(word >> shift));
        break;
      }
    }
  }
  return bytes;
}

std::vector<std::uint8_t> WaveFile(const std::vector<float>& samples, unsigned sample_rate, SampleFormat format,
                                   unsigned channels) {
  std::vector<std::vector<float>> all(channels, std::vector<float>(samples.size(), 0.0f));
  all.front() = samples;
  return WaveFile(all, sample_rate, format);
}

std::vector<std::uint8_t> WaveFile(const std::vector<std::vector<float>>& channel_samples, unsigned sample_rate,
                                   SampleFormat format) {
  const auto channels = static_cast<unsigned>(channel_samples.size());
  std::vector<std::vector<std::uint8_t>> channel_bytes;
  for (const auto& samples : channel_samples) channel_bytes.push_back(SampleBytes(samples, format));
  const std::size_t width = SampleBytes({0.0f}, format).size();
  const std::size_t frames = channel_samples.front().size();
  std::vector<std::uint8_t> data;
  data.reserve(frames * width * channels);
  for (std::size_t i = 0; i < frames; ++i) {
    for (const auto& one : channel_bytes) {
      data.insert(data.end(), one.begin() + static_cast<std::ptrdiff_t>(i * width),
                  one.begin() + static_cast<std::ptrdiff_t>((i + 1) * width));
    }
  }
  std::vector<std::uint8_t> file;
  file.reserve(44 + data.size());
  const auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  const auto tag = [&](const char* text) {
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(text[i]));
  };
  const auto block_align = static_cast<std::uint32_t>(width * channels);
  tag("RIFF");
  put(static_cast<std::uint32_t>(36 + data.size()), 4);
  tag("WAVE");
  tag("fmt ");
  put(16, 4);
  put(format == SampleFormat::Float ? 3 : 1, 2);
  put(channels, 2);
  put(sample_rate, 4);
  put(sample_rate * block_align, 4);
  put(block_align, 2);
  put(static_cast<std::uint32_t>(width * 8), 2);
  tag("data");
  put(static_cast<std::uint32_t>(data.size()), 4);
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

}  // namespace orvano::testing
