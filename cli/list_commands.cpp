#include <array>

#include "basic/bas_decode.h"
#include "cli/subcommands.h"

namespace orvano::cli {
namespace {

int List(std::span<const std::string> args, Reporter& reporter, std::string& error) {
  const std::optional<std::string> file = SingleFile(args, error);
  if (!file) return kExitUsage;
  FileNameSet names;
  names.SourceName = *file;
  return basic::BasDecode(names, DialectChoice::Auto, reporter) == Outcome::Success ? kExitSuccess : kExitFailure;
}

}  // namespace

std::span<const Subcommand> ListSubcommands() {
  static constexpr std::array<Subcommand, 1> kTable{{
      {"list", "FILE", "list the BASIC program in the .CAS of FILE as text (.BAS)", List},
  }};
  return kTable;
}

}  // namespace orvano::cli
