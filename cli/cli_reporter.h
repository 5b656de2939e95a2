#pragma once

#include <cstdio>
#include <string_view>

#include "common/reporter.h"

namespace orvano::cli {

// Log texts go to standard output, one a line; a progress bar goes to
// standard error, and only when that is a terminal, so that scripts see
// nothing but the log. Asked for documents (--json), it prints those
// instead of the log.
class CliReporter final : public Reporter {
 public:
  CliReporter(std::FILE* out, std::FILE* err, bool show_progress, bool documents = false);

  void AddLine(LineKind kind, std::string_view text) override;
  void Document(std::string_view text) override;
  void OpenProgress(std::string_view caption) override;
  void SetProgress(int percent) override;
  void CloseProgress() override;
  void ShowWarning(std::string_view text) override;

 private:
  void DrawBar(int percent);

  std::FILE* out_;
  std::FILE* err_;
  bool show_progress_;
  bool documents_;
  bool bar_drawn_ = false;
  std::string_view caption_;
  char caption_store_[64] = {};
};

}  // namespace orvano::cli
