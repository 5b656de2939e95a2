#include "encode/wave_header.h"

#include <string_view>

namespace orvano::encode {
namespace {

// Puts the fields one after the other, whatever the byte order of the host.
class FieldWriter {
 public:
  explicit FieldWriter(std::array<std::uint8_t, kWaveHeaderBytes>& bytes) : bytes_(bytes) {}

  void Id(std::string_view four) {
    for (const char c : four) bytes_[offset_++] = static_cast<std::uint8_t>(c);
  }
  void U16(std::uint16_t value) {
    bytes_[offset_++] = static_cast<std::uint8_t>(value & 0xFFu);
    bytes_[offset_++] = static_cast<std::uint8_t>(value >> 8);
  }
  void U32(std::uint32_t value) {
    U16(static_cast<std::uint16_t>(value & 0xFFFFu));
    U16(static_cast<std::uint16_t>(value >> 16));
  }

 private:
  std::array<std::uint8_t, kWaveHeaderBytes>& bytes_;
  std::size_t offset_ = 0;
};

}  // namespace

WaveHeader WaveHeaderFor(std::uint32_t data_bytes) {
  WaveHeader header;
  header.riff_size = data_bytes + kRiffOverhead;
  header.data_size = data_bytes;
  return header;
}

std::array<std::uint8_t, kWaveHeaderBytes> HeaderBytes(const WaveHeader& header) {
  std::array<std::uint8_t, kWaveHeaderBytes> bytes{};
  FieldWriter out(bytes);
  out.Id("RIFF");
  out.U32(header.riff_size);
  out.Id("WAVE");
  out.Id("fmt ");
  out.U32(header.format_size);
  out.U16(header.format_tag);
  out.U16(header.channels);
  out.U32(header.samples_per_second);
  out.U32(header.bytes_per_second);
  out.U16(header.block_align);
  out.U16(header.bits_per_sample);
  out.Id("data");
  out.U32(header.data_size);
  return bytes;
}

}  // namespace orvano::encode
