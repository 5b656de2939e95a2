#pragma once

#include <span>
#include <string>
#include <vector>

#include "ops/commands.h"

namespace orvano::app {

// The text of the help window: the keys, what each Decode step does and
// writes, the options and where the settings are kept. The keys and the
// steps come from the table of operations, so a new one is explained as
// soon as it is there; commands in `unavailable` (those no window of this
// program can do) are left out.
std::vector<std::string> HelpLines(std::span<const ops::Command> unavailable);

}  // namespace orvano::app
