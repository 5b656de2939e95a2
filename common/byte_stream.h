#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace orvano {

// Why a stream is in its error state. Anything but Ok is sticky: from then on
// every read delivers zeros, writes and seeks do nothing.
enum class StreamStatus : int {
  Ok = 0,
  OpenFailed,    // the file could not be opened for reading
  CreateFailed,  // the output could not be created
  ReadPastEnd,   // a read asked for more bytes than remain
  ReadFailed,    // the system refused a read, or the file shrank under us
  WriteFailed,   // the system refused a write (disk full, file too large)
  SeekFailed,
};

// A byte stream with the tape tools' read rule: a read that asks for more
// bytes than remain delivers none of them, fills the whole request with 0x00
// and puts the stream into its error state. The tape readers and the BASIC
// lister count on that rule to end their loops on damaged data.
class ByteStream {
 public:
  virtual ~ByteStream() = default;
  ByteStream(const ByteStream&) = delete;
  ByteStream& operator=(const ByteStream&) = delete;

  StreamStatus Status() const { return status_; }
  bool Failed() const { return status_ != StreamStatus::Ok; }
  // The errno that accompanied the failure, 0 when there is none.
  int SystemError() const { return system_error_; }

  virtual std::uint64_t Size() const = 0;
  virtual std::uint64_t Position() const = 0;
  std::uint64_t Remaining() const;

  void Seek(std::uint64_t position);
  void Read(std::span<std::uint8_t> out);
  void Write(std::span<const std::uint8_t> in);
  std::uint8_t ReadByte();
  void WriteByte(std::uint8_t value);

  // Flush and close. After a failure the status tells what went wrong.
  virtual void Release() {}

 protected:
  ByteStream() = default;
  void Fail(StreamStatus status, int system_error = 0);

  // Called only while the stream is healthy; a read is always within size.
  virtual void DoSeek(std::uint64_t position) = 0;
  virtual void DoRead(std::span<std::uint8_t> out) = 0;
  virtual void DoWrite(std::span<const std::uint8_t> in) = 0;

 private:
  StreamStatus status_ = StreamStatus::Ok;
  int system_error_ = 0;
};

}  // namespace orvano
