#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/reporter.h"

namespace orvano {

// Keeps everything an operation reports, in order, so that a test can
// compare a whole run with what the user must see.
class RecordingReporter final : public Reporter {
 public:
  struct Event {
    enum class Kind { Line, Open, Value, Close, Warning, Document } kind;
    std::string text;  // the line, caption, warning or document
    int value = 0;     // the percentage of a Value event
    LineKind line = LineKind::Message;  // what kind of line a Line event is

    bool operator==(const Event&) const = default;
  };

  void AddLine(LineKind kind, std::string_view text) override;
  void OpenProgress(std::string_view caption) override;
  void SetProgress(int percent) override;
  void CloseProgress() override;
  void ShowWarning(std::string_view text) override;
  void Document(std::string_view text) override;

  const std::vector<Event>& Events() const { return events_; }
  // The texts of the log lines, in order.
  std::vector<std::string> Texts() const;
  std::vector<int> ProgressValues() const;
  bool ProgressOpen() const { return open_; }

 private:
  std::vector<Event> events_;
  bool open_ = false;
};

}  // namespace orvano
