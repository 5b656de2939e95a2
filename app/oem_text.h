#pragma once

#include <string>
#include <string_view>

namespace orvano::app {

// OEM bytes (code page 866) as the wide text the toolkit draws.
std::wstring WideText(std::string_view oem);

}  // namespace orvano::app
