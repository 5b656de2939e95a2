// Any bytes as a recording for the demodulator: the first byte picks the
// sample rate and how the rest is read (16-bit samples, or raw floats with
// their NaNs and infinities), the second where the feeding is cut. Whatever
// comes in, the symbols must come out in order and with sane values, fed
// in blocks or all at once. (That they are the same either way is checked
// on tape signals by the unit tests; on garbage the moment a start bit is
// weighed may differ by a block.)
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "decode/demodulator.h"

namespace {

class CheckingSink final : public orvano::decode::SymbolSink {
 public:
  void Leader(double start, double baud, double level_dbfs) override {
    if (open_ || !std::isfinite(start) || start < 0 || !(baud > 500 && baud < 5000) || !std::isfinite(level_dbfs)) {
      std::abort();
    }
    leader_ = true;
  }
  void Bit(std::uint8_t bit, double time) override {
    if (bit > 1 || !std::isfinite(time) || time < last_ || (!open_ && !leader_)) std::abort();
    last_ = time;
    open_ = true;
  }
  void BlockEnd(double time) override {
    if (!open_ || !std::isfinite(time) || time < last_) std::abort();
    open_ = false;
    leader_ = false;
  }

 private:
  bool open_ = false;
  bool leader_ = false;
  double last_ = 0;
};

constexpr unsigned kRates[] = {8000, 11025, 22050, 43200, 44100, 48000, 96000, 384000};

void Demodulate(unsigned rate, const std::vector<float>& samples, std::size_t piece) {
  CheckingSink sink;
  orvano::decode::Demodulator demodulator(rate, sink);
  for (std::size_t at = 0; at < samples.size(); at += piece) {
    demodulator.Feed(std::span(samples).subspan(at, std::min(piece, samples.size() - at)));
  }
  demodulator.Finish();
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
  Demodulate(rate, samples, piece);
  Demodulate(rate, samples, samples.size() + 1);
  return 0;
}
