#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/reporter.h"

namespace orvano::cli {

// Exit statuses of orvano-cli.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the operation reported a failure
inline constexpr int kExitUsage = 2;    // the command line was wrong

// A subcommand gets its arguments (the subcommand's name not included) and
// returns the exit status. A usage error is reported by returning kExitUsage
// after writing a one-line reason to `error`.
struct Subcommand {
  std::string_view name;
  std::string_view arguments;
  std::string_view summary;
  int (*run)(std::span<const std::string> args, Reporter& reporter, std::string& error);
};

std::span<const Subcommand> Subcommands();

// The tables of the areas, joined by Subcommands().
std::span<const Subcommand> DecodeSubcommands();
std::span<const Subcommand> ListSubcommands();
std::span<const Subcommand> EncodeSubcommands();

// For subcommands that take exactly one FILE: the file, or no value with the
// reason in `error`.
std::optional<std::string> SingleFile(std::span<const std::string> args, std::string& error);

}  // namespace orvano::cli
