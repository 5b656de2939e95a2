// Any bytes as a recording for the demodulator: the first byte picks the
// sample rate and how the rest is read (16-bit samples, or raw floats with
// their NaNs and infinities), the second where the feeding is cut. Whatever
// comes in, the symbols must come out in order and with sane values, and
// the very same fed in blocks, all at once, or read on two threads.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "decode/demodulator.h"
#include "decode/signal_demodulation.h"

namespace {

class CheckingSink final : public orvano::decode::SymbolSink {
 public:
  void Leader(double start, double baud, double level_dbfs) override {
    if (open_ || !std::isfinite(start) || start < 0 || !(baud > 500 && baud < 5000) || !std::isfinite(level_dbfs)) {
      std::abort();
    }
    leader_ = true;
    heard.insert(heard.end(), {-1, start, baud, level_dbfs});
  }
  void Bit(std::uint8_t bit, double time) override {
    if (bit > 1 || !std::isfinite(time) || time < last_ || (!open_ && !leader_)) std::abort();
    last_ = time;
    open_ = true;
    heard.insert(heard.end(), {static_cast<double>(bit), time});
  }
  void BlockEnd(double time) override {
    if (!open_ || !std::isfinite(time) || time < last_) std::abort();
    open_ = false;
    leader_ = false;
    heard.insert(heard.end(), {-2, time});
  }

  std::vector<double> heard;  // every call and its values, in order

 private:
  bool open_ = false;
  bool leader_ = false;
  double last_ = 0;
};

constexpr unsigned kRates[] = {8000, 11025, 22050, 43200, 44100, 48000, 96000, 384000};

std::vector<double> Demodulate(unsigned rate, const std::vector<float>& samples, std::size_t piece) {
  CheckingSink sink;
  orvano::decode::Demodulator demodulator(rate, sink);
  for (std::size_t at = 0; at < samples.size(); at += piece) {
    demodulator.Feed(std::span(samples).subspan(at, std::min(piece, samples.size() - at)));
  }
  demodulator.Finish();
  return sink.heard;
}

std::vector<double> OnTwoThreads(unsigned rate, const std::vector<float>& samples, std::size_t piece) {
  CheckingSink sink;
  std::size_t at = 0;
  orvano::decode::DemodulateSignal(
      rate,
      [&](std::span<float> out) {
        const std::size_t count = std::min({out.size(), piece, samples.size() - at});
        std::copy_n(samples.begin() + static_cast<std::ptrdiff_t>(at), count, out.begin());
        at += count;
        return count;
      },
      sink, orvano::decode::Threads::Two, [](std::uint64_t) {});
  return sink.heard;
}

// Equal as bits, so that NaN would differ from nothing but itself.
bool Same(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const unsigned rate = kRates[data[0] % std::size(kRates)];
  const bool floats = (data[0] & 0x80) != 0;
  const std::size_t piece = 1 + data[1] * 37u;
  std::vector<float> samples;
  if (floats) {
    for (std::size_t at = 2; at + 4 <= size; at += 4) {
      float value = 0;
      std::memcpy(&value, data + at, 4);
      samples.push_back(value);
    }
  } else {
    for (std::size_t at = 2; at + 2 <= size; at += 2) {
      samples.push_back(static_cast<float>(static_cast<std::int16_t>(data[at] | data[at + 1] << 8)) / 32768.0f);
    }
  }
  const std::vector<double> in_blocks = Demodulate(rate, samples, piece);
  if (!Same(in_blocks, Demodulate(rate, samples, samples.size() + 1))) std::abort();
  if (!Same(in_blocks, OnTwoThreads(rate, samples, piece))) std::abort();
  return 0;
}
