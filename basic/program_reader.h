#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/byte_stream.h"

namespace orvano::basic {

// The readers the line decoder takes its bytes from. Both follow the
// stream's short-read rule: a read that asks for more bytes than remain
// delivers zeros, advances nothing, and from then on every read gives zeros.

// A program in memory, read inline byte by byte.
class ProgramReader {
 public:
  explicit ProgramReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint8_t Byte() {
    if (failed_ || position_ >= bytes_.size()) {
      failed_ = true;
      return 0;
    }
    return bytes_[position_++];
  }
  void Read(std::span<std::uint8_t> out) {
    if (failed_ || out.size() > bytes_.size() - position_) {
      failed_ = true;
      std::fill(out.begin(), out.end(), std::uint8_t{0});
      return;
    }
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), out.size(), out.begin());
    position_ += out.size();
  }
  bool Failed() const { return failed_; }
  std::size_t Position() const { return position_; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
  bool failed_ = false;
};

// A byte stream, for decoding one line straight from a file.
class StreamReader {
 public:
  explicit StreamReader(ByteStream& stream) : stream_(stream) {}

  std::uint8_t Byte() { return stream_.ReadByte(); }
  void Read(std::span<std::uint8_t> out) { stream_.Read(out); }
  bool Failed() const { return stream_.Failed(); }

 private:
  ByteStream& stream_;
};

}  // namespace orvano::basic
