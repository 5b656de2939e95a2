#include "decode/resampler.h"

#include <soxr.h>

namespace orvano::decode {

Resampler::Resampler(unsigned from_rate, unsigned to_rate)
    : ratio_(static_cast<double>(to_rate) / static_cast<double>(from_rate)) {
  const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT32_I, SOXR_FLOAT32_I);
  const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
  soxr_error_t error = nullptr;
  soxr_ = soxr_create(from_rate, to_rate, 1, &error, &io, &quality, nullptr);
  if (error != nullptr) {
    error_ = error;
    soxr_delete(soxr_);
    soxr_ = nullptr;
  }
}

Resampler::~Resampler() { soxr_delete(soxr_); }

void Resampler::Run(const float* in, std::size_t count, std::vector<float>& out) {
  if (soxr_ == nullptr) return;
  // Room for what the input gives and a little more, so that one call
  // usually takes it all; what does not fit comes in the next turn.
  const std::size_t room = static_cast<std::size_t>(static_cast<double>(count) * ratio_) + 256;
  for (;;) {
    const std::size_t start = out.size();
    out.resize(start + room);
    std::size_t used = 0;
    std::size_t made = 0;
    soxr_process(soxr_, in, count, &used, out.data() + start, room, &made);
    out.resize(start + made);
    if (in != nullptr) {
      in += used;
      count -= used;
    }
    // Input is left over, or the output was full and more may be waiting.
    if (count == 0 && made < room) return;
  }
}

void Resampler::Process(std::span<const float> in, std::vector<float>& out) {
  if (!in.empty()) Run(in.data(), in.size(), out);
}

void Resampler::Flush(std::vector<float>& out) { Run(nullptr, 0, out); }

}  // namespace orvano::decode
