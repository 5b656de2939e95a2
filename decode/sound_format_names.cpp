#include "decode/sound_format_names.h"

#include <sndfile.h>

namespace orvano::decode {
namespace {

// The library's own name of a format code, for the kinds without a short
// word of ours.
std::string LibraryName(int format) {
  SF_FORMAT_INFO info{};
  info.format = format;
  if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof info) != 0 || info.name == nullptr) return "unknown";
  return info.name;
}

std::string MajorWords(int format) {
  switch (format & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV:
      return "WAV";
    case SF_FORMAT_WAVEX:
      return "WAV (extensible)";
    case SF_FORMAT_RF64:
      return "RF64";
    case SF_FORMAT_W64:
      return "Wave64";
    case SF_FORMAT_AIFF:
      return "AIFF";
    case SF_FORMAT_AU:
      return "AU";
    case SF_FORMAT_CAF:
      return "CAF";
    case SF_FORMAT_FLAC:
      return "FLAC";
    case SF_FORMAT_OGG:
      return "Ogg";
    case SF_FORMAT_MPEG:
      return "MPEG";
    default:
      return LibraryName(format & SF_FORMAT_TYPEMASK);
  }
}

std::string SubtypeWords(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_U8:
      return "8-bit unsigned PCM";
    case SF_FORMAT_PCM_S8:
      return "8-bit signed PCM";
    case SF_FORMAT_PCM_16:
      return "16-bit PCM";
    case SF_FORMAT_PCM_24:
      return "24-bit PCM";
    case SF_FORMAT_PCM_32:
      return "32-bit PCM";
    case SF_FORMAT_FLOAT:
      return "32-bit float";
    case SF_FORMAT_DOUBLE:
      return "64-bit float";
    case SF_FORMAT_ULAW:
      return "8-bit mu-law";
    case SF_FORMAT_ALAW:
      return "8-bit A-law";
    case SF_FORMAT_VORBIS:
      return "Vorbis";
    case SF_FORMAT_OPUS:
      return "Opus";
    default:
      return LibraryName(format & SF_FORMAT_SUBMASK);
  }
}

}  // namespace

std::string FormatWords(int format) { return MajorWords(format) + ", " + SubtypeWords(format); }

unsigned BitsPerSample(int format) { return 8 * BytesPerSample(format); }

unsigned BytesPerSample(int format) {
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_ULAW:
    case SF_FORMAT_ALAW:
      return 1;
    case SF_FORMAT_PCM_16:
      return 2;
    case SF_FORMAT_PCM_24:
      return 3;
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
      return 4;
    case SF_FORMAT_DOUBLE:
      return 8;
    default:
      return 0;
  }
}

}  // namespace orvano::decode
