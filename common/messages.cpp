#include "common/messages.h"

#include <cstring>

namespace orvano {

std::string OpenFailedText(std::string_view name) { return "Error open file " + std::string(name); }

std::string OpenFailedText(std::string_view name, std::string_view reason) {
  return OpenFailedText(name) + ": " + std::string(reason);
}

std::string CreateFailedText(std::string_view name) { return "Can't create file " + std::string(name); }

std::string SameFileText(std::string_view name) {
  return CreateFailedText(name) + ": it is the input file";
}

std::string ReadFailedText(std::string_view name, const ByteStream& stream) {
  return ReadFailedText(name, ReasonOf(stream));
}

std::string ReadFailedText(std::string_view name, std::string_view reason) {
  return "Read error in file " + std::string(name) + ": " + std::string(reason);
}

std::string WriteFailedText(std::string_view name, const ByteStream& stream) {
  return WriteFailedText(name, stream.Status(), stream.SystemError());
}

std::string WriteFailedText(std::string_view name, StreamStatus status, int system_error) {
  return "Write error in file " + std::string(name) + ": " + ReasonOf(status, system_error);
}

std::string ReasonOf(const ByteStream& stream) { return ReasonOf(stream.Status(), stream.SystemError()); }

std::string ReasonOf(StreamStatus status, int system_error) {
  if (system_error != 0) return std::strerror(system_error);
  switch (status) {
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
