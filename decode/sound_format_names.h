#pragma once

#include <string>

namespace orvano::decode {

// What the sound library's format code of a file says, for the user and for
// the reader: "WAV, 24-bit PCM", "FLAC, 16-bit PCM", "Ogg, Vorbis".
std::string FormatWords(int format);
// Bits per sample as stored, 0 for a compressed kind that has none.
unsigned BitsPerSample(int format);
// Bytes per sample in the data of an uncompressed kind, else 0.
unsigned BytesPerSample(int format);

}  // namespace orvano::decode
