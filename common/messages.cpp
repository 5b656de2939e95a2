#include "common/messages.h"

#include <cstring>

namespace orvano {

std::string OpenFailedText(std::string_view name) { return "Error open file " + std::string(name); }

std::string CreateFailedText(std::string_view name) { return "Can't create file " + std::string(name); }

std::string SameFileText(std::string_view name) {
  return CreateFailedText(name) + ": it is the input file";
}

std::string ReadFailedText(std::string_view name, const ByteStream& stream) {
  return "Read error in file " + std::string(name) + ": " + ReasonOf(stream);
}

std::string WriteFailedText(std::string_view name, const ByteStream& stream) {
  return "Write error in file " + std::string(name) + ": " + ReasonOf(stream);
}

std::string ReasonOf(const ByteStream& stream) {
  if (stream.SystemError() != 0) return std::strerror(stream.SystemError());
  switch (stream.Status()) {
    case StreamStatus::Ok:
      return "no error";
    case StreamStatus::ReadPastEnd:
      return "the data ends too early";
    case StreamStatus::ReadFailed:
      return "the file became shorter while it was read";
    default:
      return "input/output error";
  }
}

}  // namespace orvano
