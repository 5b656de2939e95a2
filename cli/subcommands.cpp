#include "cli/subcommands.h"

#include <vector>

namespace orvano::cli {

std::span<const Subcommand> Subcommands() {
  static const std::vector<Subcommand> kTable = [] {
    std::vector<Subcommand> table;
    for (const auto area : {DecodeSubcommands(), ListSubcommands(), EncodeSubcommands()}) {
      table.insert(table.end(), area.begin(), area.end());
    }
    return table;
  }();
  return kTable;
}

std::optional<std::string> SingleFile(std::span<const std::string> args, std::string& error) {
  if (args.size() == 1 && !args[0].empty() && !args[0].starts_with("-")) return args[0];
  error = args.empty() ? "a FILE is needed" : "exactly one FILE is needed, got '" + args.back() + "'";
  return std::nullopt;
}

}  // namespace orvano::cli
