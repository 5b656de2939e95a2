#include <array>

#include "cli/subcommands.h"

namespace orvano::cli {

std::span<const Subcommand> EncodeSubcommands() {
  static constexpr std::array<Subcommand, 0> kTable{};
  return kTable;
}

}  // namespace orvano::cli
