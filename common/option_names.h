#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "common/conversion_options.h"

namespace orvano {

// The words that name the choices of the options, as the command line takes
// them and the settings file keeps them: "1200"/"2400", "auto"/"left"/
// "right"/"mix", "auto"/"msx"/"korvet". Reading ignores case.

std::string_view NameOf(Baud baud);
std::string_view NameOf(ChannelChoice channel);
std::string_view NameOf(DialectChoice dialect);

std::optional<Baud> ReadBaud(std::string_view text);
std::optional<ChannelChoice> ReadChannel(std::string_view text);
std::optional<DialectChoice> ReadDialect(std::string_view text);

// Every word of a choice, in the order the dialog lists them.
std::span<const std::string_view> BaudNames();
std::span<const std::string_view> ChannelNames();
std::span<const std::string_view> DialectNames();

}  // namespace orvano
