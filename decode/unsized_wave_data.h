#pragma once

#include <cstdint>
#include <optional>

#include "common/byte_stream.h"

namespace orvano::decode {

// A WAV file whose recorder never wrote the size of its data: the data
// chunk says 0 bytes (the recorder stopped before it could), or FFFFFFFF
// (a stream that could not go back), and the samples run to the end of the
// file.
struct UnsizedWaveData {
  std::uint64_t size_offset = 0;  // where the chunk's 4-byte size lies
  std::uint32_t said = 0;         // 0 or FFFFFFFF
  std::uint64_t data_bytes = 0;   // what follows the chunk's header
};

// Walks the chunks of a RIFF WAVE file to its data chunk. Any other file,
// or a data chunk with a size, gives nothing. The stream is left where it
// was.
std::optional<UnsizedWaveData> FindUnsizedWaveData(ByteStream& bytes);

}  // namespace orvano::decode
