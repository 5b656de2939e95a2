#include "encode/tape_file_kind.h"

#include "tape/tape_format.h"

namespace orvano::encode {

std::string_view KindName(std::uint8_t type_byte) {
  switch (type_byte) {
    case tape::kBinaryType:
      return "binary file";
    case tape::kBasicType:
      return "BASIC file";
    case tape::kTextType:
      return "text file";
    default:
      return "file";
  }
}

std::string HeaderName(std::span<const std::uint8_t> header) {
  const std::span<const std::uint8_t> name = header.subspan(tape::kTypeByteCount, tape::kTapeNameBytes);
  return {name.begin(), name.end()};
}

std::string LoadCommand(std::uint8_t type_byte, std::string_view tape_name) {
  const std::string name(tape_name.substr(0, tape_name.find_last_not_of(' ') + 1));
  switch (type_byte) {
    case tape::kBinaryType:
      return "BLOAD \"CAS:" + name + "\",R";
    case tape::kBasicType:
      return "CLOAD \"" + name + "\"";
    default:
      return "RUN \"CAS:" + name + "\"";
  }
}

}  // namespace orvano::encode
