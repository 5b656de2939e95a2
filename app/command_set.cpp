#include "app/command_set.h"

namespace orvano::app {

bool CommandSet::HasAny(std::span<const Command> commands) const {
  for (const Command command : commands) {
    if (Has(command)) return true;
  }
  return false;
}

void CommandSet::Switch(std::span<const Command> commands, bool on) {
  for (const Command command : commands) {
    if (command < kSize) enabled_.set(command, on);
  }
}

}  // namespace orvano::app
