#include "common/file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace orvano {
namespace {

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Follows a chain of symbolic links to the file that an output replaces.
std::string ResolveLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 256) + 1, '\0');
    const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
    if (length <= 0) return path;
    link.resize(static_cast<std::size_t>(length));
    path = link.front() == '/' ? link : DirectoryOf(path) + "/" + link;
  }
  return path;
}

unsigned DefaultFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666u & ~static_cast<unsigned>(mask);
}

}  // namespace

FileStream::FileStream(std::string path, OpenMode mode, std::size_t buffer_size)
    : path_(std::move(path)), mode_(mode), buffer_(std::max<std::size_t>(buffer_size, 1)) {
  if (mode_ == OpenMode::Read) {
    OpenForReading();
  } else {
    CreateTemporary();
  }
}

FileStream::~FileStream() {
  if (mode_ == OpenMode::Create) {
    Discard();
  } else {
    CloseDescriptor();
  }
}

void FileStream::OpenForReading() {
  fd_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    Fail(StreamStatus::OpenFailed, errno);
    return;
  }
  struct stat st {};
  if (::fstat(fd_, &st) != 0) {
    Fail(StreamStatus::OpenFailed, errno);
  } else if (S_ISDIR(st.st_mode)) {
    Fail(StreamStatus::OpenFailed, EISDIR);
  } else {
    size_ = static_cast<std::uint64_t>(st.st_size);
    return;
  }
  CloseDescriptor();
}

void FileStream::CreateTemporary() {
  target_ = ResolveLinks(path_);
  target_mode_ = DefaultFileMode();
  struct stat st {};
  if (::stat(target_.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) {
      Fail(StreamStatus::CreateFailed, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
      return;
    }
    target_mode_ = static_cast<unsigned>(st.st_mode) & 07777u;
  }
  const std::string directory = DirectoryOf(target_);
  const std::string base = target_.substr(target_.rfind('/') == std::string::npos ? 0 : target_.rfind('/') + 1);
  // A name near the system's limit leaves no room for the suffix; a short
  // anonymous name in the same directory serves as well.
  for (const std::string& candidate : {directory + "/." + base + ".tmp-XXXXXX", directory + "/.orvano-XXXXXX"}) {
    std::string pattern = candidate;
    fd_ = ::mkstemp(pattern.data());
    if (fd_ >= 0) {
      temporary_ = pattern;
      return;
    }
    if (errno != ENAMETOOLONG) break;
  }
  Fail(StreamStatus::CreateFailed, errno);
}

std::uint64_t FileStream::Size() const {
  if (mode_ == OpenMode::Read) return size_;
  return std::max(size_, buffer_start_ + buffer_length_);
}

void FileStream::DoSeek(std::uint64_t position) {
  if (mode_ == OpenMode::Create && position != buffer_start_ + buffer_length_ && !Flush()) return;
  position_ = position;
}

bool FileStream::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  while (!out.empty()) {
    const ssize_t got = ::pread(fd_, out.data(), out.size(), static_cast<off_t>(offset));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      // A zero-length read inside the size seen at open: the file shrank.
      Fail(StreamStatus::ReadFailed, got < 0 ? errno : 0);
      return false;
    }
    offset += static_cast<std::uint64_t>(got);
    out = out.subspan(static_cast<std::size_t>(got));
  }
  return true;
}

bool FileStream::FillBuffer() {
  buffer_start_ = position_;
  buffer_length_ = static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size(), size_ - position_));
  if (ReadAt(buffer_start_, {buffer_.data(), buffer_length_})) return true;
  buffer_length_ = 0;
  return false;
}

void FileStream::DoRead(std::span<std::uint8_t> out) {
  if (mode_ != OpenMode::Read) {
    Fail(StreamStatus::ReadFailed, EBADF);
    return;
  }
  while (!out.empty()) {
    const bool in_buffer = position_ >= buffer_start_ && position_ < buffer_start_ + buffer_length_;
    if (!in_buffer) {
      if (out.size() >= buffer_.size()) {
        // Large reads bypass the buffer: one system call, no extra copy.
        if (ReadAt(position_, out)) position_ += out.size();
        return;
      }
      if (!FillBuffer()) return;
    }
    const auto offset = static_cast<std::size_t>(position_ - buffer_start_);
    const std::size_t count = std::min(out.size(), buffer_length_ - offset);
    std::memcpy(out.data(), buffer_.data() + offset, count);
    position_ += count;
    out = out.subspan(count);
  }
}

bool FileStream::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> in) {
  const int error = WriteFromAnyThread(offset, in);
  if (error != 0) {
    Fail(StreamStatus::WriteFailed, error);
    return false;
  }
  size_ = std::max(size_, offset + in.size());
  return true;
}

int FileStream::WriteFromAnyThread(std::uint64_t offset, std::span<const std::uint8_t> bytes) const {
  if (mode_ != OpenMode::Create || fd_ < 0) return EBADF;
  while (!bytes.empty()) {
    const ssize_t put = ::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return put < 0 ? errno : ENOSPC;
    offset += static_cast<std::uint64_t>(put);
    bytes = bytes.subspan(static_cast<std::size_t>(put));
  }
  return 0;
}

bool FileStream::Flush() {
  if (buffer_length_ == 0) return true;
  const bool written = WriteAt(buffer_start_, {buffer_.data(), buffer_length_});
  buffer_start_ += buffer_length_;
  buffer_length_ = 0;
  return written;
}

void FileStream::DoWrite(std::span<const std::uint8_t> in) {
  if (mode_ != OpenMode::Create) {
    Fail(StreamStatus::WriteFailed, EBADF);
    return;
  }
  if (position_ != buffer_start_ + buffer_length_) {
    if (!Flush()) return;
    buffer_start_ = position_;
  }
  if (buffer_length_ == 0 && in.size() >= buffer_.size()) {
    if (WriteAt(position_, in)) position_ += in.size();
    buffer_start_ = position_;
    return;
  }
  // A buffer that starts off a page boundary (after a header, say) is
  // flushed early, at the next boundary, so that every later flush covers
  // whole pages: writes that split pages cost the kernel half as much again.
  constexpr std::uint64_t kPageBytes = 4096;
  const auto capacity = [this] {
    const auto misalignment = static_cast<std::size_t>(buffer_start_ % kPageBytes);
    return buffer_.size() > kPageBytes ? buffer_.size() - misalignment : buffer_.size();
  };
  while (!in.empty()) {
    const std::size_t count = std::min(in.size(), capacity() - buffer_length_);
    std::memcpy(buffer_.data() + buffer_length_, in.data(), count);
    buffer_length_ += count;
    position_ += count;
    in = in.subspan(count);
    if (buffer_length_ == capacity() && !Flush()) return;
  }
}

void FileStream::CloseDescriptor() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void FileStream::Release() {
  if (mode_ == OpenMode::Read) {
    CloseDescriptor();
    return;
  }
  if (temporary_.empty()) return;
  if (!Failed()) Flush();
  if (!Failed() && ::fchmod(fd_, static_cast<mode_t>(target_mode_)) != 0) Fail(StreamStatus::WriteFailed, errno);
  if (fd_ >= 0 && ::close(fd_) != 0 && !Failed()) Fail(StreamStatus::WriteFailed, errno);
  fd_ = -1;
  if (!Failed() && ::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(StreamStatus::WriteFailed, errno);
  if (Failed()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

void FileStream::Discard() {
  CloseDescriptor();
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  buffer_length_ = 0;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
  return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool CanOpenForReading(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

}  // namespace orvano
