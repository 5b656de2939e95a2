// Any bytes as what the demodulator hears: 0xF0 to 0xF7 a leader (its low
// bits choose the speed), 0xF8 to 0xFF the end of a block, any other byte a
// bit cell (its lowest bit), heard under a dropout when its second bit is
// set. The blocks must be sound, and go on through the file assembly and the
// writers.
#include <cstdint>
#include <cstdlib>

#include "fuzz/tape_checks.h"
#include "tape/frame_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orvano::tape::FrameReader reader;
  double time = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t symbol = data[i];
    if (symbol >= 0xF8) {
      reader.BlockEnd(time);
    } else if (symbol >= 0xF0) {
      reader.Leader(time, 1200.0 * (1 + (symbol & 7)), -6.0);
    } else if ((symbol & 2) != 0) {
      reader.FadedBit(symbol & 1, time);
    } else {
      reader.Bit(symbol & 1, time);
    }
    time += 1.0 / 1200;
  }
  const std::vector<orvano::tape::TapeBlock> blocks = reader.TakeBlocks();
  for (const auto& block : blocks) {
    if (block.bytes.empty() || !block.signal) std::abort();
    const auto& signal = *block.signal;
    if (signal.framing_errors.size() != signal.framing_error_bytes.size() || signal.start > signal.end) std::abort();
    for (const std::size_t byte : signal.framing_error_bytes) {
      if (byte >= block.bytes.size()) std::abort();
    }
  }
  orvano::fuzz::CheckTape(blocks);
  return 0;
}
