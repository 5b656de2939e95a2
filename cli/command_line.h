#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/conversion_options.h"
#include "ops/operation.h"

namespace orvano::cli {

// Exit statuses of orvano-cli.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the operation reported a failure
inline constexpr int kExitUsage = 2;    // the command line was wrong

// What a command line asks for: one operation of the table and its request.
struct CommandLine {
  const ops::Operation* operation = nullptr;
  std::vector<std::string> files;
  std::string output;
  unsigned jobs = 0;
  bool json = false;
  std::string tape_name;
  ConversionOptions options;
};

// Either a command to run, or what to print and the status to end with
// (help, the version, or a wrong command line with its reason).
struct ParsedCommandLine {
  std::optional<CommandLine> command;
  int exit_status = kExitSuccess;
  std::string out;
  std::string err;
};

// `args` without the program's name. The subcommands, their arguments and
// options come from the table of operations.
ParsedCommandLine ParseCommandLine(std::span<const std::string> args);

}  // namespace orvano::cli
