#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/cli_reporter.h"
#include "cli/subcommands.h"
#include "common/version.h"

namespace {

using orvano::cli::Subcommand;

void PrintUsage(std::FILE* to) {
  std::fputs("usage: orvano-cli SUBCOMMAND ARGUMENTS...\n"
             "       orvano-cli --help | --version\n\n"
             "subcommands:\n",
             to);
  for (const Subcommand& command : orvano::cli::Subcommands()) {
    const std::string left = std::string(command.name) + " " + std::string(command.arguments);
    std::fprintf(to, "  %-44s %.*s\n", left.c_str(), static_cast<int>(command.summary.size()),
                 command.summary.data());
  }
  std::fputs("\nFile names are derived from FILE: GAME.RAW gives GAME.MSR, GAME.TX1, GAME.TX2, GAME.CAS ...\n"
             "Exit status: 0 on success, 1 when the operation failed, 2 for a wrong command line.\n",
             to);
}

int UsageError(const std::string& message) {
  std::fprintf(stderr, "orvano-cli: %s\n", message.c_str());
  PrintUsage(stderr);
  return orvano::cli::kExitUsage;
}

int Run(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return UsageError("no subcommand given");
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintUsage(stdout);
    return orvano::cli::kExitSuccess;
  }
  if (args[0] == "--version") {
    std::printf("%.*s\n", static_cast<int>(orvano::kProgramTitle.size()), orvano::kProgramTitle.data());
    return orvano::cli::kExitSuccess;
  }
  for (const Subcommand& command : orvano::cli::Subcommands()) {
    if (command.name != args[0]) continue;
    orvano::cli::CliReporter reporter(stdout, stderr, ::isatty(STDERR_FILENO) == 1);
    std::string error;
    const int status = command.run(std::span(args).subspan(1), reporter, error);
    if (status == orvano::cli::kExitUsage) return UsageError(error);
    return status;
  }
  return UsageError("unknown subcommand '" + args[0] + "'");
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
