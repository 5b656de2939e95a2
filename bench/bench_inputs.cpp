#include "bench/bench_inputs.h"

#include <sys/stat.h>

#include <cstdio>
#include <random>
#include <stdexcept>
#include <vector>

#include "common/file_stream.h"
#include "common/recording_reporter.h"
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
  std::uint16_t end_addr = 0;
  if (encode::ConvertSource(source, names, ConversionOptions{}, end_addr, reporter) != Outcome::Success) {
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

// The samples of the recording, looped to the wanted length, as the left
// channel of a 48 kHz WAV file whose right channel is quiet hiss. Played at
// that rate the tape runs 9 % fast, which a recording may well do.
void MakeStereoWave(const std::string& path, const std::string& recording, double minutes) {
  const Bytes mono = Load(recording);
  const auto frames = static_cast<std::uint64_t>(minutes * 60 * 48000);
  const std::uint64_t data_bytes = frames * 4;
  FileStream out(path, OpenMode::Create, 1 << 20);
  Bytes header;
  const auto put = [&](std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) header.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  for (const char c : std::string("RIFF")) header.push_back(static_cast<std::uint8_t>(c));
  put(36 + data_bytes, 4);
  for (const char c : std::string("WAVEfmt ")) header.push_back(static_cast<std::uint8_t>(c));
  put(16, 4);
  put(1, 2);
  put(2, 2);
  put(48000, 4);
  put(48000 * 4, 4);
  put(4, 2);
  put(16, 2);
  for (const char c : std::string("data")) header.push_back(static_cast<std::uint8_t>(c));
  put(data_bytes, 4);
  out.Write(header);
  std::mt19937 random(11);
  std::uniform_int_distribution<int> hiss(-60, 60);
  Bytes block(1 << 20);
  const std::size_t samples = mono.size() / 2;
  std::uint64_t at = 0;
  for (std::uint64_t done = 0; done < frames;) {
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(block.size() / 4, frames - done));
    for (std::size_t i = 0; i < count; ++i, at = (at + 1) % samples) {
      block[4 * i] = mono[2 * at];
      block[4 * i + 1] = mono[2 * at + 1];
      const auto right = static_cast<std::uint16_t>(hiss(random));
      block[4 * i + 2] = static_cast<std::uint8_t>(right & 0xFF);
      block[4 * i + 3] = static_cast<std::uint8_t>(right >> 8);
    }
    out.Write({block.data(), count * 4});
    done += count;
  }
  out.Release();
  if (out.Failed()) throw std::runtime_error("cannot write " + path);
}

}  // namespace

std::uint64_t FileSize(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

Inputs MakeInputs(const std::string& dir, double minutes) {
  const Inputs inputs{dir + "/RECORD.RAW", dir + "/IMAGE.BIN", dir + "/PROGRAM.CAS", dir + "/NOTES.TXT",
                      dir + "/STEREO48.WAV"};
  if (!Exists(inputs.binary)) Save(inputs.binary, MakeBinary(64 * 1024));
  if (!Exists(inputs.program)) Save(inputs.program, MakeProgram(32 * 1024));
  if (!Exists(inputs.text)) Save(inputs.text, MakeText(64 * 1024));
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
  if (!Exists(inputs.stereo)) {
    std::fprintf(stderr, "making a %.0f-minute 48 kHz stereo WAV in %s ...\n", minutes, inputs.stereo.c_str());
    MakeStereoWave(inputs.stereo, inputs.recording, minutes);
  }
  return inputs;
}

}  // namespace orvano::bench
