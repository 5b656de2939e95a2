#pragma once

#include <bitset>
#include <span>

#include "ops/commands.h"

namespace orvano::app {

using ops::Command;

// Which commands the menus may issue now. Commands go on and off in groups
// (those that need an opened recording), so the set changes by spans; a disabled command is shown
// grey and is refused when it arrives anyway.
class CommandSet {
 public:
  static constexpr std::size_t kSize = 256;

  // Every command starts enabled.
  CommandSet() { enabled_.set(); }

  bool Has(Command command) const { return command < kSize && enabled_.test(command); }
  // True when at least one of the commands is enabled.
  bool HasAny(std::span<const Command> commands) const;

  void Enable(std::span<const Command> commands) { Switch(commands, true); }
  void Disable(std::span<const Command> commands) { Switch(commands, false); }

  bool operator==(const CommandSet&) const = default;

 private:
  void Switch(std::span<const Command> commands, bool on);

  std::bitset<kSize> enabled_;
};

}  // namespace orvano::app
