#pragma once

#include <cstdint>
#include <vector>

#include "common/byte_stream.h"

namespace orvano {

// A stream over a byte vector; tests and the fuzzers drive the core with it.
class MemoryStream final : public ByteStream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  std::uint64_t Size() const override { return bytes_.size(); }
  std::uint64_t Position() const override { return position_; }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 protected:
  void DoSeek(std::uint64_t position) override { position_ = position; }
  void DoRead(std::span<std::uint8_t> out) override;
  void DoWrite(std::span<const std::uint8_t> in) override;

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint64_t position_ = 0;
};

}  // namespace orvano
