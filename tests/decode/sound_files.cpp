#include "tests/decode/sound_files.h"

#include <sndfile.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace orvano::testing {
namespace {

struct Memory {
  Bytes bytes;
  std::size_t position = 0;
};

Memory& Of(void* user) { return *static_cast<Memory*>(user); }

sf_count_t Length(void* user) { return static_cast<sf_count_t>(Of(user).bytes.size()); }

sf_count_t Seek(sf_count_t offset, int whence, void* user) {
  Memory& memory = Of(user);
  const sf_count_t base = whence == SEEK_CUR   ? static_cast<sf_count_t>(memory.position)
                          : whence == SEEK_END ? static_cast<sf_count_t>(memory.bytes.size())
                                               : 0;
  memory.position = static_cast<std::size_t>(std::max<sf_count_t>(0, base + offset));
  return static_cast<sf_count_t>(memory.position);
}

sf_count_t Read(void* to, sf_count_t count, void* user) {
  Memory& memory = Of(user);
  const std::size_t left = memory.position < memory.bytes.size() ? memory.bytes.size() - memory.position : 0;
  const std::size_t n = std::min(left, static_cast<std::size_t>(count));
  std::memcpy(to, memory.bytes.data() + memory.position, n);
  memory.position += n;
  return static_cast<sf_count_t>(n);
}

sf_count_t Write(const void* from, sf_count_t count, void* user) {
  Memory& memory = Of(user);
  const auto n = static_cast<std::size_t>(count);
  if (memory.position + n > memory.bytes.size()) memory.bytes.resize(memory.position + n);
  std::memcpy(memory.bytes.data() + memory.position, from, n);
  memory.position += n;
  return count;
}

sf_count_t Tell(void* user) { return static_cast<sf_count_t>(Of(user).position); }

}  // namespace

Bytes SoundFileBytes(int format, unsigned rate, unsigned channels, std::span<const float> interleaved) {
  Memory memory;
  SF_VIRTUAL_IO io{&Length, &Seek, &Read, &Write, &Tell};
  SF_INFO info{};
  info.samplerate = static_cast<int>(rate);
  info.channels = static_cast<int>(channels);
  info.format = format;
  SNDFILE* file = sf_open_virtual(&io, SFM_WRITE, &info, &memory);
  if (file == nullptr) throw std::runtime_error(std::string("cannot write a sound file: ") + sf_strerror(nullptr));
  const auto frames = static_cast<sf_count_t>(interleaved.size() / channels);
  const sf_count_t written = sf_writef_float(file, interleaved.data(), frames);
  sf_close(file);
  if (written != frames) throw std::runtime_error("short write of a sound file");
  return memory.bytes;
}

}  // namespace orvano::testing
