#pragma once

#include <string>
#include <string_view>

#include "common/byte_stream.h"

namespace orvano {

// The log texts of failures that every operation shares. Each failure is a
// value (a stream's status) until it reaches one of these.

// "Error open file " + name: an input that cannot be opened.
std::string OpenFailedText(std::string_view name);
// The same with the reason, when there is one to tell ("Error open file X: reason").
std::string OpenFailedText(std::string_view name, std::string_view reason);
// "Can't create file " + name: an output that cannot be created.
std::string CreateFailedText(std::string_view name);
// An output that would be written over the operation's own input.
std::string SameFileText(std::string_view name);
// A read or write that failed in the middle of a pass.
std::string ReadFailedText(std::string_view name, const ByteStream& stream);
std::string WriteFailedText(std::string_view name, const ByteStream& stream);
// A read that failed in a library that gives its reason as text.
std::string ReadFailedText(std::string_view name, std::string_view reason);
// The same for a stream that is already gone, from the status and errno it
// had when it failed.
std::string WriteFailedText(std::string_view name, StreamStatus status, int system_error);

// What the system said, in a few words, or why the stream stopped.
std::string ReasonOf(const ByteStream& stream);
std::string ReasonOf(StreamStatus status, int system_error);

}  // namespace orvano
