#include "app/ui_reporter.h"

#include <string>
#include <utility>

#include "app/markup.h"
#include "app/message_box.h"
#include "app/user_text.h"

namespace orvano::app {

void UiReporter::HideFirst::operator()(ProgressWindow* window) const {
  // Deleting a shown window lets the toolkit activate and draw it while it
  // dies; hidden, it goes quietly.
  window->hide();
  delete window;
}

UiReporter::UiReporter(finalcut::FWidget* desktop, std::function<LogWindow*()> log_window)
    : desktop_(desktop), log_window_(std::move(log_window)) {}

UiReporter::~UiReporter() = default;

void UiReporter::AddLine(LineKind kind, std::string_view text) {
  if (LogWindow* window = log_window_()) window->AddLine(MarkedLine(kind, text));
}

void UiReporter::OpenProgress(std::string_view caption) {
  progress_.reset();
  progress_.reset(new ProgressWindow(desktop_, ""));
  progress_->Show();
  progress_->SetText(caption);
}

void UiReporter::SetProgress(int percent) {
  if (progress_) progress_->Bar().SetCurrent(percent);
}

void UiReporter::CloseProgress() {
  progress_.reset();
  if (LogWindow* window = log_window_()) window->Show();
}

void UiReporter::ShowWarning(std::string_view text) { ShowMessage(desktop_, "Warning", TextFromUtf8(text)); }

void UiReporter::Table(const ResultTable& table) { tables_.push_back(table); }

}  // namespace orvano::app
