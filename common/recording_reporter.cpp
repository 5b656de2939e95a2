#include "common/recording_reporter.h"

namespace orvano {

void RecordingReporter::AddLine(LineKind kind, std::string_view text) {
  events_.push_back({Event::Kind::Line, std::string(text), 0, kind});
}

void RecordingReporter::OpenProgress(std::string_view caption) {
  open_ = true;
  events_.push_back({Event::Kind::Open, std::string(caption)});
}

void RecordingReporter::SetProgress(int percent) { events_.push_back({Event::Kind::Value, {}, percent}); }

void RecordingReporter::CloseProgress() {
  open_ = false;
  events_.push_back({Event::Kind::Close, {}});
}

void RecordingReporter::ShowWarning(std::string_view text) {
  events_.push_back({Event::Kind::Warning, std::string(text)});
}

void RecordingReporter::Document(std::string_view text) {
  events_.push_back({Event::Kind::Document, std::string(text)});
}

std::vector<std::string> RecordingReporter::Texts() const {
  std::vector<std::string> texts;
  for (const Event& event : events_) {
    if (event.kind == Event::Kind::Line) texts.push_back(event.text);
  }
  return texts;
}

std::vector<int> RecordingReporter::ProgressValues() const {
  std::vector<int> values;
  for (const Event& event : events_) {
    if (event.kind == Event::Kind::Value) values.push_back(event.value);
  }
  return values;
}

}  // namespace orvano
