#pragma once

#include <string_view>

namespace orvano {

inline constexpr std::string_view kProgramTitle = "Orvano v2.3.1";

}  // namespace orvano
