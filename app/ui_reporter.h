#pragma once

#include <final/final.h>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "app/log_window.h"
#include "app/progress_window.h"
#include "common/reporter.h"

namespace orvano::app {

// Puts what an operation reports on the screen: log lines into the current
// log window, progress into a progress window on the desktop, warnings into
// a message box. Tables wait until the operation is over, for a window of
// their own. Everything the core says is the user's text (user_text.h), as
// it names files.
class UiReporter final : public Reporter {
 public:
  UiReporter(finalcut::FWidget* desktop, std::function<LogWindow*()> log_window);
  ~UiReporter() override;
  UiReporter(const UiReporter&) = delete;
  UiReporter& operator=(const UiReporter&) = delete;

  void AddLine(LineKind kind, std::string_view text) override;
  void OpenProgress(std::string_view caption) override;
  void SetProgress(int percent) override;
  void CloseProgress() override;
  void ShowWarning(std::string_view text) override;
  void Table(const ResultTable& table) override;

  // The tables reported since the last call, oldest first.
  std::vector<ResultTable> TakeTables() { return std::exchange(tables_, {}); }

 private:
  struct HideFirst {
    void operator()(ProgressWindow* window) const;
  };

  finalcut::FWidget* desktop_;
  std::function<LogWindow*()> log_window_;
  std::unique_ptr<ProgressWindow, HideFirst> progress_;
  std::vector<ResultTable> tables_;
};

}  // namespace orvano::app
