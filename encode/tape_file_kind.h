#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvano::encode {

// How the log names the files of a tape by their type byte: "binary file",
// "BASIC file", "text file", or "file" for any other byte.
std::string_view KindName(std::uint8_t type_byte);

// The six name bytes of a header block, as they are.
std::string HeaderName(std::span<const std::uint8_t> header);

// What an MSX user types to load the file (and to start a binary): the name
// without the blanks that pad it to six characters.
std::string LoadCommand(std::uint8_t type_byte, std::string_view tape_name);

}  // namespace orvano::encode
