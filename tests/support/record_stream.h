#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/byte_stream.h"

namespace orvano::testing {

// Keeps each write apart, so that a check sees the records one by one as
// the lister wrote them.
class RecordStream final : public ByteStream {
 public:
  std::uint64_t Size() const override { return 0; }
  std::uint64_t Position() const override { return 0; }
  const std::vector<std::string>& Records() const { return records_; }

 protected:
  void DoSeek(std::uint64_t) override {}
  void DoRead(std::span<std::uint8_t>) override {}
  void DoWrite(std::span<const std::uint8_t> in) override { records_.emplace_back(in.begin(), in.end()); }

 private:
  std::vector<std::string> records_;
};

}  // namespace orvano::testing
