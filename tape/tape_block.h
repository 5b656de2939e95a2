#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvano::tape {

// Where and how a block was heard on a recording. Times are seconds from
// the start of the recording.
struct BlockSignal {
  double start = 0;
  double end = 0;
  double baud = 0;
  double level_dbfs = 0;               // peak level of its leader
  std::vector<double> framing_errors;  // times of the frames whose stop bits were wrong
  // The byte each of those frames gave, in step with framing_errors, so that
  // an error in bytes that no reader takes does not count against a file.
  std::vector<std::size_t> framing_error_bytes;
};

// One block of a tape: the bytes that follow one leader, as they were read.
// What they mean (a header, a file's data, a custom loader's block) is told
// by the file assembly, never by the block itself.
struct TapeBlock {
  std::vector<std::uint8_t> bytes;
  std::optional<BlockSignal> signal;  // none for a block taken from an image
};

}  // namespace orvano::tape
