#include "tape/parallel_runs.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

namespace orvano::tape {
namespace {

// Keeps what one run reports until its turn comes; only its progress is
// read while it works, from another thread.
class HeldReporter final : public Reporter {
 public:
  void AddLine(LineKind kind, std::string_view text) override { lines_.push_back({false, kind, std::string(text)}); }
  void OpenProgress(std::string_view) override { percent_ = 0; }
  void SetProgress(int percent) override { percent_ = percent; }
  void CloseProgress() override {}
  void ShowWarning(std::string_view text) override { lines_.push_back({true, LineKind::Warning, std::string(text)}); }
  void Document(std::string_view text) override { documents_.emplace_back(text); }
  void Table(const ResultTable& table) override { tables_.push_back(table); }

  int Percent() const { return percent_; }
  void PassLinesTo(Reporter& reporter) const {
    for (const Line& line : lines_) {
      if (line.needs_answer) {
        reporter.ShowWarning(line.text);
      } else {
        reporter.AddLine(line.kind, line.text);
      }
    }
  }
  const std::vector<std::string>& Documents() const { return documents_; }
  const std::vector<ResultTable>& Tables() const { return tables_; }

 private:
  struct Line {
    bool needs_answer;
    LineKind kind;
    std::string text;
  };
  std::vector<Line> lines_;
  std::vector<std::string> documents_;
  std::vector<ResultTable> tables_;
  std::atomic<int> percent_ = 0;
};

struct Slot {
  HeldReporter reporter;
  Outcome outcome = Outcome::Failure;
  bool done = false;  // guarded by the batch's mutex
};

Outcome RunGuarded(const BatchRun& run, Reporter& reporter) {
  try {
    return run.work(reporter);
  } catch (const std::exception& e) {
    Log(reporter, run.label + ": unexpected failure: " + e.what());
  } catch (...) {
    Log(reporter, run.label + ": unexpected failure");
  }
  return Outcome::Failure;
}

void PassResults(const std::vector<BatchRun>& runs, const std::vector<Slot>& slots, std::string_view caption,
                 Reporter& reporter) {
  std::string documents;
  ResultTable joined;
  joined.title = std::string(caption);
  for (std::size_t i = 0; i < slots.size(); ++i) {
    for (const std::string& document : slots[i].reporter.Documents()) {
      documents += (documents.empty() ? "[" : ",\n") + document;
    }
    for (const ResultTable& table : slots[i].reporter.Tables()) {
      if (joined.headings.empty()) {
        joined.headings = table.headings;
        joined.headings.insert(joined.headings.begin(), "Source");
      }
      for (const auto& row : table.rows) {
        joined.rows.push_back(row);
        joined.rows.back().insert(joined.rows.back().begin(), runs[i].label);
      }
    }
  }
  if (!documents.empty()) reporter.Document(documents + "]");
  if (!joined.headings.empty()) reporter.Table(joined);
}

}  // namespace

Outcome RunInParallel(std::vector<BatchRun> runs, unsigned jobs, std::string_view caption, Reporter& reporter) {
  if (runs.size() == 1) return RunGuarded(runs.front(), reporter);
  if (jobs == 0) jobs = std::max(1u, std::thread::hardware_concurrency());
  std::vector<Slot> slots(runs.size());
  std::mutex mutex;
  std::condition_variable ended;
  std::atomic<std::size_t> next = 0;
  const auto worker = [&] {
    for (std::size_t i; (i = next++) < runs.size();) {
      const Outcome outcome = RunGuarded(runs[i], slots[i].reporter);
      const std::lock_guard lock(mutex);
      slots[i].outcome = outcome;
      slots[i].done = true;
      ended.notify_all();
    }
  };
  std::vector<std::jthread> threads;
  for (std::size_t i = 0; i < std::min<std::size_t>(jobs, runs.size()); ++i) threads.emplace_back(worker);

  Progress progress(reporter, caption);
  std::size_t passed = 0;  // runs whose lines have reached the reporter
  while (passed < runs.size()) {
    std::unique_lock lock(mutex);
    ended.wait_for(lock, std::chrono::milliseconds(50), [&] { return slots[passed].done; });
    std::uint64_t percents = 0;
    for (const Slot& slot : slots) percents += slot.done ? 100 : static_cast<std::uint64_t>(slot.reporter.Percent());
    std::vector<std::size_t> ready;
    for (; passed < runs.size() && slots[passed].done; ++passed) ready.push_back(passed);
    lock.unlock();
    for (const std::size_t i : ready) slots[i].reporter.PassLinesTo(reporter);
    progress.Set(percents, 100 * runs.size());
  }
  progress.Close();
  threads.clear();
  PassResults(runs, slots, caption, reporter);
  const bool failed =
      std::any_of(slots.begin(), slots.end(), [](const Slot& s) { return s.outcome == Outcome::Failure; });
  return failed ? Outcome::Failure : Outcome::Success;
}

}  // namespace orvano::tape
