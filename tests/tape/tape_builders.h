#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvano::testing {

// The characters of a bit file: frames of a 0 start bit, eight data bits
// least significant first and two 1 stop bits; leaders of 1 bits.
inline std::string FrameBits(std::span<const std::uint8_t> bytes) {
  std::string bits;
  for (const std::uint8_t byte : bytes) {
    bits += '0';
    for (int bit = 0; bit < 8; ++bit) bits += (byte >> bit & 1) != 0 ? '1' : '0';
    bits += "11";
  }
  return bits;
}
inline std::string FrameBits(std::string_view text) {
  return FrameBits({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}
inline std::string LeaderBits(std::size_t count) { return std::string(count, '1'); }
inline std::string HeaderBits(std::uint8_t type, std::string_view name) {
  return FrameBits(std::string(10, static_cast<char>(type))) + FrameBits(name);
}

// A recording of 36-sample cells, negative half first: a 0 bit is one long
// cycle (18 + 18 samples), a 1 bit two short ones (9 + 9, twice). The levels
// wander, as on a real recording, so that the recoder has work to do.
class SignalBuilder {
 public:
  void Bytes(std::span<const std::uint8_t> values) {
    for (const std::uint8_t value : values) {
      Bit(false);
      for (int bit = 0; bit < 8; ++bit) Bit((value >> bit & 1) != 0);
      Bit(true);
      Bit(true);
    }
  }
  void Leader(std::size_t cells) {
    for (std::size_t i = 0; i < cells; ++i) Bit(true);
  }
  // A data block behind a gap of silence and a short leader.
  void Block(std::span<const std::uint8_t> data) {
    samples_.resize(samples_.size() + 4000, 0);
    Leader(100);
    Bytes(data);
  }
  const std::vector<std::uint8_t>& Raw() const { return samples_; }

 private:
  void Bit(bool one) {
    for (int half = 0; half < (one ? 4 : 2); ++half) {
      for (int i = 0; i < (one ? 9 : 18); ++i) {
        const int level = (half % 2 == 0 ? -3100 : 2100) + (step_++ * 37) % 900;
        samples_.push_back(static_cast<std::uint8_t>(level & 0xFF));
        samples_.push_back(static_cast<std::uint8_t>((level >> 8) & 0xFF));
      }
    }
  }

  std::vector<std::uint8_t> samples_;
  int step_ = 0;
};

}  // namespace orvano::testing
