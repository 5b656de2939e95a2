#pragma once

#include "common/byte_stream.h"
#include "common/reporter.h"

namespace orvano::tape {

// The copy loops of the extraction. Each reads framed bytes from the bit
// stream and writes them to `out`, setting the progress after every byte,
// until the position reaches the end of the bit stream or either stream is in
// its error state. When the bit stream ends in the middle of a frame, that
// frame gives one 0x00 byte, which is written, and the loop stops.

// Copies every byte to the end of the recording: a BASIC program with its
// closing zeros, a memory image, and whatever follows them on the tape.
void CopyTapeBytes(ByteStream& bits, ByteStream& out, Progress& progress);

// Copies a text up to its first 0x1A, which is not written. The text comes in
// blocks of 256 bytes, each behind a leader of its own, which is skipped
// before bytes 1, 257, 513 and so on.
void CopyTapeText(ByteStream& bits, ByteStream& out, Progress& progress);

}  // namespace orvano::tape
