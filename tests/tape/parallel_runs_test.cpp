#include "tape/parallel_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <mutex>
#include <stdexcept>

#include "tape/tape_batch.h"
#include "tests/tape/tape_player.h"

namespace orvano::tape {
namespace {

using namespace testing;
using Lines = std::vector<std::string>;

TEST(ParallelRuns, KeepsEachRunsLinesTogetherInTheOrderOfTheRuns) {
  // The last run ends first and the first last; the log is in run order all the same.
  std::promise<void> third_done, second_done;
  std::shared_future<void> third = third_done.get_future().share(), second = second_done.get_future().share();
  std::vector<BatchRun> runs{
      {"A",
       [&](Reporter& r) {
         Log(r, "A1");
         second.wait();
         Warn(r, "A2");
         return Outcome::Success;
       }},
      {"B",
       [&](Reporter& r) {
         third.wait();
         Log(r, "B1");
         second_done.set_value();
         return Outcome::Success;
       }},
      {"C",
       [&](Reporter& r) {
         Log(r, "C1");
         third_done.set_value();
         return Outcome::Success;
       }},
  };
  TableReporter reporter;
  EXPECT_EQ(RunInParallel(std::move(runs), 3, "Reading tapes", reporter), Outcome::Success);
  EXPECT_EQ(reporter.record.Texts(), (Lines{"A1", "A2", "B1", "C1"}));
  EXPECT_EQ(reporter.record.Events()[2].line, LineKind::Warning);
  EXPECT_FALSE(reporter.record.ProgressOpen());
}

TEST(ParallelRuns, JoinsDocumentsAndTablesAndFailsWhenAnyRunFails) {
  const auto run = [](std::string name, Outcome outcome) {
    return BatchRun{name, [name, outcome](Reporter& r) {
                      if (name == "boom") throw std::runtime_error("no memory");
                      r.Document("{\"source\": \"" + name + "\"}");
                      r.Table({"Files on " + name, {"No", "Name"}, {{"01", name}, {"02", name + "2"}}});
                      return outcome;
                    }};
  };
  for (const unsigned jobs : {0u, 1u, 2u, 8u}) {
    SCOPED_TRACE(jobs);
    TableReporter reporter;
    EXPECT_EQ(RunInParallel({run("x", Outcome::Success), run("boom", Outcome::Success), run("y", Outcome::Failure)},
                            jobs, "Reading tapes", reporter),
              Outcome::Failure);
    EXPECT_EQ(reporter.record.Texts(), Lines{"boom: unexpected failure: no memory"});
    EXPECT_EQ(reporter.documents, Lines{"[{\"source\": \"x\"},\n{\"source\": \"y\"}]"});
    ASSERT_EQ(reporter.tables.size(), 1u);
    EXPECT_EQ(reporter.tables[0],
              (ResultTable{"Reading tapes",
                           {"Source", "No", "Name"},
                           {{"x", "01", "x"}, {"x", "02", "x2"}, {"y", "01", "y"}, {"y", "02", "y2"}}}));
  }
}

TEST(ParallelRuns, ASingleRunReportsAsIfAlone) {
  TableReporter reporter;
  const auto outcome = RunInParallel({{"x",
                                       [](Reporter& r) {
                                         Progress progress(r, "Reading the tape x");
                                         progress.Set(1, 2);
                                         r.Document("{}");
                                         r.Table({"Files on x", {"No"}, {{"01"}}});
                                         return Outcome::Success;
                                       }}},
                                     4, "Reading tapes", reporter);
  EXPECT_EQ(outcome, Outcome::Success);
  EXPECT_EQ(reporter.record.Events().front().text, "Reading the tape x");
  EXPECT_EQ(reporter.documents, Lines{"{}"});
  EXPECT_EQ(reporter.tables.at(0).title, "Files on x");
}

TEST(TapeBatch, ChoosesAnOutputFolderForEachRecording) {
  const struct {
    Lines recordings;
    std::string dir;
    Lines folders;
  } cases[] = {
      {{"GAME.WAV"}, "", {"GAME"}},
      {{"tapes/GAME.WAV"}, "", {"tapes/GAME"}},
      {{"tapes/GAME.WAV"}, "out", {"out"}},
      {{"a/ONE.WAV", "b/TWO.flac"}, "out", {"out/ONE", "out/TWO"}},
      {{"a/ONE.WAV", "b/TWO.flac"}, "", {"a/ONE", "b/TWO"}},
      {{"a/.wav", "b/x.y.RAW"}, "out/", {"out/NONAME", "out/x.y"}},
  };
  for (const auto& c : cases) EXPECT_EQ(OutputFolders(c.recordings, c.dir), c.folders);
}

TEST(TapeBatch, RefusesARecordingWhoseFolderAnotherOneTakes) {
  const Lines recordings{"a/GAME.WAV", "b/GAME.RAW", "c/OTHER.WAV"};
  std::mutex mutex;
  Lines done;
  TableReporter reporter;
  const auto outcome = RunRecordings(
      recordings, "out", 2,
      [&](const std::string& recording, const std::string& dir, Reporter& r) {
        const std::lock_guard lock(mutex);
        done.push_back(recording + " -> " + dir);
        Log(r, "decoded " + recording);
        return Outcome::Success;
      },
      reporter);
  EXPECT_EQ(outcome, Outcome::Failure);
  std::sort(done.begin(), done.end());
  EXPECT_EQ(done, (Lines{"a/GAME.WAV -> out/GAME", "c/OTHER.WAV -> out/OTHER"}));
  EXPECT_EQ(reporter.record.Texts(),
            (Lines{"decoded a/GAME.WAV",
                   "Recording b/GAME.RAW is left out: its outputs would go to out/GAME with those of a/GAME.WAV",
                   "decoded c/OTHER.WAV"}));
}

}  // namespace
}  // namespace orvano::tape
