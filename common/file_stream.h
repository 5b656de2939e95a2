#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/byte_stream.h"

namespace orvano {

enum class OpenMode { Read, Create };

// A buffered stream over a named file.
//
// Read opens an existing file. Create makes an output that replaces a file of
// that name, but never in place: the bytes go to a temporary file beside the
// target, and only Release() of a healthy stream renames it over the target.
// A stream that failed, was discarded or was destroyed without Release()
// removes its temporary file, so an earlier output of that name stays whole
// whatever happens to this run. A target that is a symbolic link stays one:
// the file it points to is replaced.
class FileStream final : public ByteStream {
 public:
  static constexpr std::size_t kDefaultBufferSize = 2048;

  FileStream(std::string path, OpenMode mode, std::size_t buffer_size = kDefaultBufferSize);
  ~FileStream() override;

  const std::string& Path() const { return path_; }
  std::uint64_t Size() const override;
  std::uint64_t Position() const override { return position_; }

  // Read: close. Create: flush, close and put the file in place of the
  // target; a failure on the way sets the status and leaves the target alone.
  void Release() override;
  // Create: drop everything written; the target stays as it was.
  void Discard();

  // Create: writes `bytes` at `offset` of the file straight away, past the
  // buffer and the position. Threads may do this at once for parts of the
  // file that do not overlap each other or the buffered writes. Returns 0,
  // or the system's error number; the stream's status is the caller's to
  // set, by Discard() or by writing no further.
  int WriteFromAnyThread(std::uint64_t offset, std::span<const std::uint8_t> bytes) const;

 protected:
  void DoSeek(std::uint64_t position) override;
  void DoRead(std::span<std::uint8_t> out) override;
  void DoWrite(std::span<const std::uint8_t> in) override;

 private:
  void OpenForReading();
  void CreateTemporary();
  bool FillBuffer();
  bool Flush();
  bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out);
  bool WriteAt(std::uint64_t offset, std::span<const std::uint8_t> in);
  void CloseDescriptor();

  std::string path_;
  OpenMode mode_;
  int fd_ = -1;
  std::vector<std::uint8_t> buffer_;
  std::uint64_t buffer_start_ = 0;  // file offset of buffer_[0]
  std::size_t buffer_length_ = 0;   // valid (read) or pending (write) bytes
  std::uint64_t position_ = 0;
  std::uint64_t size_ = 0;          // read: size at open; create: extent written
  std::string target_;              // create: the file that Release() replaces
  std::string temporary_;           // create: where the bytes go meanwhile
  unsigned target_mode_ = 0;
};

// True when both paths name one existing file (same device and inode), so
// that an operation can refuse to write over its own input.
bool SameFile(const std::string& a, const std::string& b);
// True for a file that can be opened and read: a regular file (or a link to
// one) that this user may read. A directory, a device or a pipe is none.
bool CanOpenForReading(const std::string& path);

}  // namespace orvano
