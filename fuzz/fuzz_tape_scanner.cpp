// Any bytes as the blocks of a tape, through the file assembly, the tape
// image writer and the report. An input that begins with 0x00 is a tape
// image; any other is blocks each behind a 16-bit little-endian length,
// every block with an odd length carrying a framing error in its middle.
#include <cstdint>
#include <vector>

#include "fuzz/tape_checks.h"
#include "tape/cas_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  if (data[0] == 0x00) {
    orvano::fuzz::CheckTape(orvano::tape::ReadCasImage(rest).blocks);
    return 0;
  }
  std::vector<orvano::tape::TapeBlock> blocks;
  double time = 0;
  for (std::size_t at = 0; at + 2 <= rest.size();) {
    const std::size_t length = std::min<std::size_t>(rest[at] | rest[at + 1] << 8, rest.size() - at - 2);
    at += 2;
    orvano::tape::TapeBlock block{
        {rest.begin() + static_cast<std::ptrdiff_t>(at), rest.begin() + static_cast<std::ptrdiff_t>(at + length)},
        orvano::tape::BlockSignal{time, time + 1, 1200, -6, {}, {}}};
    if (length % 2 == 1) {
      block.signal->framing_errors.push_back(time + 0.5);
      block.signal->framing_error_bytes.push_back(length / 2);
    }
    blocks.push_back(std::move(block));
    at += length;
    time += 2;
  }
  orvano::fuzz::CheckTape(blocks);
  return 0;
}
