#include "decode/resampler.h"

#include <soxr.h>

#include <algorithm>

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

std::span<const float> Resampler::Run(const float* in, std::size_t count) {
  if (soxr_ == nullptr) return {};
  // Room for what the input gives and a little more, so that one call
  // usually takes it all; when the room fills up, it grows and the library
  // goes on.
  const std::size_t wanted = static_cast<std::size_t>(static_cast<double>(count) * ratio_) + 256;
  if (room_ < wanted) {
    out_ = std::make_unique_for_overwrite<float[]>(wanted);
    room_ = wanted;
  }
  std::size_t filled = 0;
  for (;;) {
    std::size_t used = 0;
    std::size_t made = 0;
    soxr_process(soxr_, in, count, &used, out_.get() + filled, room_ - filled, &made);
    filled += made;
    if (in != nullptr) {
      in += used;
      count -= used;
    }
    // Input is left over, or the output was full and more may be waiting.
    if (count == 0 && filled < room_) return {out_.get(), filled};
    auto larger = std::make_unique_for_overwrite<float[]>(2 * room_);
    std::copy(out_.get(), out_.get() + filled, larger.get());
    out_ = std::move(larger);
    room_ *= 2;
  }
}

std::span<const float> Resampler::Process(std::span<const float> in) {
  if (in.empty()) return {};
  return Run(in.data(), in.size());
}

std::span<const float> Resampler::Flush() { return Run(nullptr, 0); }

}  // namespace orvano::decode
