#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "common/outcome.h"
#include "common/reporter.h"
#include "decode/sample_format.h"

namespace orvano::decode {

// The warning that phase 1 and phase 2 give before they start.
inline constexpr std::string_view kLongOperationText = "Please wait...It's a very long operation";

// One pass of a decoding step over a whole file: open the input, create the
// output, then read the input in blocks, turn each block into output bytes
// and write them, with the progress set after every block.
struct BlockPass {
  std::string_view input_name;
  std::string_view output_name;
  std::size_t output_buffer_size;
  std::string_view caption;
};

// Turns one block of input, which it may change in place, into the bytes to
// write. Every block but the last one holds kPassBlockBytes, an even count,
// so that no sample is split between two blocks.
using BlockKernel = std::function<std::span<const std::uint8_t>(std::span<std::uint8_t> block)>;

inline constexpr std::size_t kPassBlockBytes = 256 * 1024;
static_assert(kPassBlockBytes % kSampleBytes == 0);

// Logs the failures itself: an input that cannot be opened, an output that
// names the input file or cannot be created, a read or write error on the
// way. After a failure a previous output of that name stays as it was.
Outcome RunBlockPass(const BlockPass& pass, const BlockKernel& kernel, Reporter& reporter);

}  // namespace orvano::decode
