#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvano {

// What a log line is. The core says what kind of line it logs; how the kind
// looks (a colour marker and a bullet in the text UI, nothing on the command
// line) is the business of whoever shows it.
enum class LineKind {
  Message,  // what an operation does, and why it failed
  Warning,  // something the user should look at; the operation goes on
};

// Results in rows and columns (the files found on a tape), which the text
// UI shows in a window of their own; the log has already told them.
struct ResultTable {
  std::string title;
  std::vector<std::string> headings;
  std::vector<std::vector<std::string>> rows;

  bool operator==(const ResultTable&) const = default;
};

// Where an operation tells the user what it does: log lines, a progress
// report while it reads its input, and the rare warning that needs an answer.
// The text UI puts them into its windows, orvano-cli onto its streams.
class Reporter {
 public:
  virtual ~Reporter() = default;
  // One line of text, without any marker.
  virtual void AddLine(LineKind kind, std::string_view text) = 0;
  virtual void OpenProgress(std::string_view caption) = 0;
  // 0 to 100; called only when the value changes.
  virtual void SetProgress(int percent) = 0;
  virtual void CloseProgress() = 0;
  // A message the user must acknowledge before the operation goes on.
  virtual void ShowWarning(std::string_view text) = 0;
  // A machine-readable account of a whole run (JSON). Only a reporter that
  // was asked for documents shows it; the others drop it.
  virtual void Document(std::string_view) {}
  virtual void Table(const ResultTable&) {}
};

void Log(Reporter& reporter, std::string_view text);
void Warn(Reporter& reporter, std::string_view text);

// position × 100 / size in 64 bits, within 0..100, and 0 for an empty input.
int Percent(std::uint64_t position, std::uint64_t size);

// An open progress report, closed at the latest when the scope ends. Set()
// costs a compare when the percentage stays the same, so a loop may call it
// as often as it likes.
class Progress {
 public:
  Progress(Reporter& reporter, std::string_view caption);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  // Called for every byte or block read, so the common case, a position
  // that shows the same percentage as the last one, costs two comparisons.
  void Set(std::uint64_t position, std::uint64_t size) {
    if (open_ && (size != size_ || position < range_start_ || position >= range_end_)) Change(position, size);
  }
  void Close();

 private:
  void Change(std::uint64_t position, std::uint64_t size);

  Reporter& reporter_;
  int shown_ = 0;
  // The positions [range_start_, range_end_) all show `shown_`; within them
  // Set() does nothing.
  std::uint64_t range_start_ = 0;
  std::uint64_t range_end_ = 0;
  std::uint64_t size_ = 0;
  bool open_ = true;
};

}  // namespace orvano
