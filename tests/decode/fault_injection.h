#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "common/recording_reporter.h"

namespace orvano::testing {

// Lowers this process's file-size limit while it lives, as a full disk stops
// an output halfway. With SIGXFSZ ignored such a write fails with EFBIG.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit lowered = previous_;
    lowered.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  void (*handler_)(int);
  rlimit previous_{};
};

// Records into `record` and, at the first progress value, cuts `path` down
// to `keep` bytes, as if another program truncated the input being read.
class TruncatingReporter final : public Reporter {
 public:
  TruncatingReporter(RecordingReporter& record, std::string path, off_t keep)
      : record_(record), path_(std::move(path)), keep_(keep) {}

  void AddLine(LineKind kind, std::string_view text) override { record_.AddLine(kind, text); }
  void OpenProgress(std::string_view caption) override { record_.OpenProgress(caption); }
  void SetProgress(int percent) override {
    if (!cut_) cut_ = ::truncate(path_.c_str(), keep_) == 0;
    record_.SetProgress(percent);
  }
  void CloseProgress() override { record_.CloseProgress(); }
  void ShowWarning(std::string_view text) override { record_.ShowWarning(text); }

 private:
  RecordingReporter& record_;
  std::string path_;
  off_t keep_;
  bool cut_ = false;
};

}  // namespace orvano::testing
