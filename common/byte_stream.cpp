#include "common/byte_stream.h"

#include <algorithm>

namespace orvano {

std::uint64_t ByteStream::Remaining() const {
  const std::uint64_t size = Size();
  const std::uint64_t position = Position();
  return position < size ? size - position : 0;
}

void ByteStream::Seek(std::uint64_t position) {
  if (!Failed()) DoSeek(position);
}

void ByteStream::Read(std::span<std::uint8_t> out) {
  if (out.empty()) return;
  if (!Failed() && out.size() > Remaining()) Fail(StreamStatus::ReadPastEnd);
  if (Failed()) {
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    return;
  }
  DoRead(out);
  if (Failed()) std::fill(out.begin(), out.end(), std::uint8_t{0});
}

void ByteStream::Write(std::span<const std::uint8_t> in) {
  if (!in.empty() && !Failed()) DoWrite(in);
}

std::uint8_t ByteStream::ReadByte() {
  std::uint8_t value = 0;
  Read({&value, 1});
  return value;
}

void ByteStream::WriteByte(std::uint8_t value) { Write({&value, 1}); }

void ByteStream::Fail(StreamStatus status, int system_error) {
  if (Failed()) return;
  status_ = status;
  system_error_ = system_error;
}

}  // namespace orvano
