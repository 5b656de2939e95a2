#pragma once

#include <memory>
#include <string>

#include "common/byte_stream.h"
#include "decode/audio_source.h"

namespace orvano::decode {

// A recording in any format the sound library reads: WAV of every sample
// kind (extensible headers too), FLAC, AIFF, Ogg and the rest. The library
// reads through its virtual I/O from a byte stream, so a file and bytes in
// memory take the same path, and a read error of the file is ours to tell.
OpenedAudio OpenSoundFile(const std::string& path);
OpenedAudio OpenSoundStream(std::unique_ptr<ByteStream> bytes);

}  // namespace orvano::decode
