// Writes a few short sound files of different kinds into the directory
// given, as seeds for fuzz_audio.
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_audio_seeds DIR\n");
    return 2;
  }
  const struct {
    const char* name;
    int format;
    int channels;
  } kinds[] = {
      {"wav16.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1},       {"wav8.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1},
      {"wavex24.wav", SF_FORMAT_WAVEX | SF_FORMAT_PCM_24, 2},   {"float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 2},
      {"aiff16.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 2},    {"flac16.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 2},
      {"flac24.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 1},    {"vorbis.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 1},
      {"au16.au", SF_FORMAT_AU | SF_FORMAT_PCM_16, 1},          {"caf.caf", SF_FORMAT_CAF | SF_FORMAT_ALAW, 1},
  };
  constexpr int kRate = 8000;
  constexpr int kFrames = 400;
  for (const auto& kind : kinds) {
    std::vector<float> samples(kFrames * kind.channels);
    for (int i = 0; i < kFrames; ++i) {
      for (int c = 0; c < kind.channels; ++c) {
        samples[i * kind.channels + c] = static_cast<float>(0.4 * std::sin(2 * M_PI * 2400 * i / kRate) / (c + 1));
      }
    }
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = kind.channels;
    info.format = kind.format;
    const std::string path = std::string(argv[1]) + "/" + kind.name;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
      std::fprintf(stderr, "make_audio_seeds: %s: %s\n", path.c_str(), sf_strerror(nullptr));
      return 1;
    }
    sf_writef_float(file, samples.data(), kFrames);
    sf_close(file);
  }
  return 0;
}
