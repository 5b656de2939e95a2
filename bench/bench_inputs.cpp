#include "bench/bench_inputs.h"

#include <sndfile.h>
#include <sys/stat.h>

#include <cstdio>
#include <algorithm>
#include <random>
#include <stdexcept>
#include <vector>

#include "common/file_stream.h"
#include "common/recording_reporter.h"
#include "encode/cas_pack.h"
#include "encode/convert_source.h"

namespace orvano::bench {
namespace {

using Bytes = std::vector<std::uint8_t>;

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

void Save(const std::string& path, const Bytes& bytes) {
  FileStream out(path, OpenMode::Create, 1 << 16);
  out.Write(bytes);
  out.Release();
  if (out.Failed()) throw std::runtime_error("cannot write " + path);
}

Bytes Load(const std::string& path) {
  FileStream in(path, OpenMode::Read, 1 << 16);
  Bytes bytes(in.Size());
  in.Read(bytes);
  if (in.Failed()) throw std::runtime_error("cannot read " + path);
  return bytes;
}

Bytes MakeBinary(std::size_t size) {
  std::mt19937 random(1);
  Bytes bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

// Lines of the form 10 PRINT "...";A+12 with a link word that is not zero.
Bytes MakeProgram(std::size_t size) {
  Bytes bytes{0xFF};
  std::uint16_t line = 10;
  while (bytes.size() + 40 < size) {
    const Bytes text = {0x91, 0x20, 0x22, 'O', 'R', 'V', 'A', 'N', 'O', 0x22, ';', 'A', 0xF2, 0x0F, 12,
                        0x3A, 0x82, 0x20, 'I', 0xF0, 0x12, 0xD9, 0x1C, 0x10, 0x27, 0x00};
    const auto link = static_cast<std::uint16_t>(0x8001 + bytes.size() + 4 + text.size());
    bytes.push_back(static_cast<std::uint8_t>(link & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(link >> 8));
    bytes.push_back(static_cast<std::uint8_t>(line & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(line >> 8));
    bytes.insert(bytes.end(), text.begin(), text.end());
    line = static_cast<std::uint16_t>(line + 10);
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

Bytes MakeText(std::size_t size) {
  const std::string line = "The quick brown fox jumps over the lazy MSX computer.\r\n";
  Bytes bytes;
  while (bytes.size() < size) bytes.insert(bytes.end(), line.begin(), line.end());
  bytes.resize(size);
  return bytes;
}

Bytes EncodeToRaw(const std::string& source) {
  FileNameSet names;
  RecordingReporter reporter;
  if (encode::ConvertSource(source, names, ConversionOptions{}, reporter) != Outcome::Success) {
    throw std::runtime_error("cannot encode " + source);
  }
  return Load(names.MsrName);
}

// Tape signals one after another, each scaled and blurred by a little noise
// the way a real recording is, until the wanted length is reached.
void MakeRecording(const std::string& path, const std::vector<Bytes>& tapes, double minutes) {
  const auto samples_wanted = static_cast<std::uint64_t>(minutes * 60 * 44100);
  FileStream out(path, OpenMode::Create, 1 << 20);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> noise(-400, 400);
  std::uint64_t written = 0;
  Bytes block;
  for (std::size_t t = 0; written < samples_wanted; t = (t + 1) % tapes.size()) {
    const Bytes& tape = tapes[t];
    const std::uint64_t count = std::min<std::uint64_t>(tape.size() / 2, samples_wanted - written);
    block.resize(count * 2);
    for (std::uint64_t i = 0; i < count; ++i) {
      const auto sample = static_cast<std::int16_t>(tape[2 * i] | tape[2 * i + 1] << 8);
      const int value = sample * 3 / 5 + noise(random);
      block[2 * i] = static_cast<std::uint8_t>(value & 0xFF);
      block[2 * i + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    }
    out.Write(block);
    written += count;
  }
  out.Release();
  if (out.Failed()) throw std::runtime_error("cannot write " + path);
}

// The recording's samples at 48000 frames per second, so played faster: the
// recoder's work is the same whatever the speed. The tape is on the left,
// the right channel carries it inverted at half the level.
void MakeWave(const std::string& path, const std::string& recording, double minutes) {
  SF_INFO info{};
  info.samplerate = 48000;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (file == nullptr) throw std::runtime_error("cannot create " + path + ": " + sf_strerror(nullptr));
  auto frames_left = static_cast<std::uint64_t>(minutes * 60 * 48000);
  FileStream in(recording, OpenMode::Read, 1 << 20);
  Bytes block(1 << 20);
  std::vector<short> frames(block.size());
  while (frames_left > 0) {
    if (in.Remaining() == 0) in.Seek(0);
    const std::uint64_t room = block.size() / 2;
    const auto count = static_cast<std::size_t>(std::min({frames_left, room, in.Remaining() / 2}));
    in.Read({block.data(), 2 * count});
    for (std::size_t i = 0; i < count; ++i) {
      const auto sample = static_cast<short>(block[2 * i] | block[2 * i + 1] << 8);
      frames[2 * i] = sample;
      frames[2 * i + 1] = static_cast<short>(-sample / 2);
    }
    if (in.Failed() || sf_writef_short(file, frames.data(), static_cast<sf_count_t>(count)) != static_cast<sf_count_t>(count)) {
      sf_close(file);
      throw std::runtime_error("cannot write " + path);
    }
    frames_left -= count;
  }
  if (sf_close(file) != 0) throw std::runtime_error("cannot write " + path);
}

}  // namespace

std::uint64_t FileSize(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

Inputs MakeInputs(const std::string& dir, double minutes) {
  const Inputs inputs{dir + "/RECORD.RAW", dir + "/RECORD48.WAV", dir + "/IMAGE.BIN", dir + "/PROGRAM.CAS",
                      dir + "/NOTES.TXT", dir + "/TAPE.CAS"};
  if (!Exists(inputs.binary)) Save(inputs.binary, MakeBinary(64 * 1024));
  if (!Exists(inputs.program)) Save(inputs.program, MakeProgram(32 * 1024));
  if (!Exists(inputs.text)) Save(inputs.text, MakeText(64 * 1024));
  if (!Exists(inputs.image)) {
    const std::string parts = dir + "/parts";
    ::mkdir(parts.c_str(), 0777);
    const std::vector<std::string> sources{parts + "/LOADER.CAS", parts + "/GAME.BIN", parts + "/README.TXT"};
    Save(sources[0], MakeProgram(32 * 1024));
    Save(sources[1], MakeBinary(16 * 1024));
    Save(sources[2], MakeText(16 * 1024));
    RecordingReporter reporter;
    if (encode::PackCasImage(inputs.image, sources, ConversionOptions{}, std::nullopt, reporter) != Outcome::Success) {
      throw std::runtime_error("cannot pack " + inputs.image);
    }
  }
  if (!Exists(inputs.recording)) {
    std::fprintf(stderr, "making a %.0f-minute recording in %s ...\n", minutes, inputs.recording.c_str());
    const std::string tapes = dir + "/tapes";
    ::mkdir(tapes.c_str(), 0777);
    std::vector<Bytes> signals;
    // The program comes first, so that the extraction finds a BASIC file,
    // copies the rest of the recording into it, and the lister has work.
    for (const auto& [name, bytes] : {std::pair{"/B.CAS", MakeProgram(8 * 1024)},
                                      std::pair{"/A.BIN", MakeBinary(16 * 1024)},
                                      std::pair{"/C.TXT", MakeText(4 * 1024)}}) {
      Save(tapes + name, bytes);
      signals.push_back(EncodeToRaw(tapes + name));
    }
    MakeRecording(inputs.recording, signals, minutes);
  }
  if (!Exists(inputs.wave)) {
    std::fprintf(stderr, "making a %.0f-minute 48 kHz stereo WAV in %s ...\n", minutes, inputs.wave.c_str());
    MakeWave(inputs.wave, inputs.recording, minutes);
  }
  return inputs;
}

}  // namespace orvano::bench
