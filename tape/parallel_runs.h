#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::tape {

// One run of a batch: a label for its rows in the joined table, and the work,
// which reports into the reporter it is given.
struct BatchRun {
  std::string label;
  std::function<Outcome(Reporter&)> work;
};

// Runs the works on up to `jobs` threads at once (0: one for each core).
// A single run works on `reporter` itself. With several, each run reports
// into a reporter of its own, and its lines reach `reporter` together, in
// the order of the runs, once the runs before it have ended; meanwhile one
// progress report, captioned `caption`, shows how far they are together. In
// the end their documents go on as one JSON array, and their tables as one
// table with the label of each row's run in front. Fails when any run failed.
Outcome RunInParallel(std::vector<BatchRun> runs, unsigned jobs, std::string_view caption, Reporter& reporter);

}  // namespace orvano::tape
