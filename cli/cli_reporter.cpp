#include "cli/cli_reporter.h"

#include <algorithm>
#include <cstring>

namespace orvano::cli {

CliReporter::CliReporter(std::FILE* out, std::FILE* err, bool show_progress, bool documents)
    : out_(out), err_(err), show_progress_(show_progress), documents_(documents) {}

void CliReporter::AddLine(LineKind, std::string_view text) {
  if (documents_) return;
  if (bar_drawn_) std::fputs("\r\033[K", err_);
  std::fwrite(text.data(), 1, text.size(), out_);
  std::fputc('\n', out_);
  std::fflush(out_);
  bar_drawn_ = false;
}

void CliReporter::Document(std::string_view text) {
  if (!documents_) return;
  if (bar_drawn_) std::fputs("\r\033[K", err_);
  std::fwrite(text.data(), 1, text.size(), out_);
  if (!text.ends_with('\n')) std::fputc('\n', out_);
  std::fflush(out_);
  bar_drawn_ = false;
}

void CliReporter::OpenProgress(std::string_view caption) {
  const std::size_t length = std::min(caption.size(), sizeof caption_store_);
  std::memcpy(caption_store_, caption.data(), length);
  caption_ = {caption_store_, length};
  DrawBar(0);
}

void CliReporter::SetProgress(int percent) { DrawBar(percent); }

void CliReporter::CloseProgress() {
  if (bar_drawn_) std::fputs("\r\033[K", err_);
  std::fflush(err_);
  bar_drawn_ = false;
}

void CliReporter::ShowWarning(std::string_view text) {
  if (bar_drawn_) std::fputs("\r\033[K", err_);
  std::fputs("warning: ", err_);
  std::fwrite(text.data(), 1, text.size(), err_);
  std::fputc('\n', err_);
  bar_drawn_ = false;
}

void CliReporter::DrawBar(int percent) {
  if (!show_progress_) return;
  constexpr int kWidth = 36;
  const int filled = std::clamp(percent, 0, 100) * kWidth / 100;
  char bar[kWidth + 1];
  std::memset(bar, '#', static_cast<std::size_t>(filled));
  std::memset(bar + filled, '.', static_cast<std::size_t>(kWidth - filled));
  bar[kWidth] = '\0';
  std::fprintf(err_, "\r%.*s [%s] %3d%%", static_cast<int>(caption_.size()), caption_.data(), bar, percent);
  std::fflush(err_);
  bar_drawn_ = true;
}

}  // namespace orvano::cli
