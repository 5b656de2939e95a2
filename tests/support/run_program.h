#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvano::testing {

struct ProgramRun {
  int exit_status = -1;  // -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// Runs `program` with `args`, no standard input, and collects what it
// prints. A non-zero file_size_limit (bytes) is set as the child's limit on
// the size of any file it writes, as `ulimit -f` would.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      std::uint64_t file_size_limit = 0);

}  // namespace orvano::testing
