#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "common/byte_stream.h"
#include "common/reporter.h"
#include "tape/tape_format.h"

namespace orvano::tape {

// The readers of the bit file. They keep no state of their own: all they
// need is the read position of the stream.

// Skips a leader: reads characters until one is a "0", the position reaches
// the size of the stream or the stream is in its error state, then steps back
// one character. Returns whether a "0" was read; if so it is the next
// character to be read, the start bit of the next byte. With no "0" left the
// position ends one character before the end. At the end of the stream, or
// in its error state, the read fails and leaves the stream in its error
// state. A progress report, when given, is set after every character read.
bool SeekStartBit(ByteStream& bits, Progress* progress = nullptr);

// Reads one byte frame of 11 characters and returns its data bits, least
// significant first: bit i is set when character 1 + i is "1". The start and
// stop characters are read past unseen, so a broken frame still yields its
// byte. With fewer than 11 characters left it consumes nothing, puts the
// stream into its error state and returns 0.
std::uint8_t ReadTapeByte(ByteStream& bits);

// The byte that one frame carries, by the same rule.
std::uint8_t FrameByte(std::span<const std::uint8_t, kFrameBits> frame);

// Decodes consecutive frames: `frames` holds 11 characters for each byte of
// `bytes`.
void DecodeFrames(std::span<const std::uint8_t> frames, std::span<std::uint8_t> bytes);

}  // namespace orvano::tape
