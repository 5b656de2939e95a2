#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/cli_reporter.h"
#include "cli/command_line.h"

namespace {

int Run(int argc, char** argv) {
  using namespace orvano;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const cli::ParsedCommandLine parsed = cli::ParseCommandLine(args);
  std::fputs(parsed.out.c_str(), stdout);
  std::fputs(parsed.err.c_str(), stderr);
  if (!parsed.command) return parsed.exit_status;

  const cli::CommandLine& line = *parsed.command;
  cli::CliReporter reporter(stdout, stderr, ::isatty(STDERR_FILENO) == 1, line.json);
  FileNameSet names;
  // FILE names the source as Open would.
  if (!line.files.empty()) names.SourceName = line.files.front();
  ops::Request request{names, line.options, reporter, line.files, line.output, line.jobs, line.tape_name};
  return line.operation->run(request) == Outcome::Success ? cli::kExitSuccess : cli::kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
  // A write beyond a file-size limit must fail with EFBIG and be reported,
  // not kill the program halfway through an output.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvano-cli: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "orvano-cli: unexpected failure\n");
  }
  return orvano::cli::kExitFailure;
}
