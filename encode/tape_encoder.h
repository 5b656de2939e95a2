#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "common/byte_stream.h"
#include "common/tape_timing.h"
#include "encode/signal_tables.h"

namespace orvano::encode {

// Turns bytes, names, leaders and gaps into samples of the timing's cells on
// the output of one conversion, and keeps DataBytes, the count of sample
// bytes written behind the header area. With a WAV output the samples start
// at offset 44 and WriteWaveHeader() fills the reserved area at the end; a
// raw output is the samples alone.
class TapeEncoder {
 public:
  TapeEncoder(ByteStream& output, bool write_wave, const TapeTiming& timing);

  bool WritesWave() const { return write_wave_; }
  std::uint32_t DataBytes() const { return data_bytes_; }

  // DataBytes = 0; a WAV output keeps its first 44 bytes for the header.
  void StartSignal();

  // The long leader that the header block of a file stands behind.
  void StartHeaderBlock();
  // Every other block: a gap of silence and the short leader.
  void StartDataBlock();

  // A start bit 0, the eight data bits least significant first, two stop bits 1.
  void WriteTapeByte(std::uint8_t value);
  void WriteTapeBytes(std::span<const std::uint8_t> values);
  // The first six characters, each as a tape byte.
  void WriteTapeName(std::string_view name);
  void WriteLeader(std::size_t cells);
  void WriteGap();

  // Puts the header, with the sizes of the signal written so far, at offset 0.
  void WriteWaveHeader();

 private:
  // Callers never write so much that the count passes 32 bits: a conversion
  // refuses such a source before it writes anything.
  void Put(std::span<const std::uint8_t> bytes) {
    output_.Write(bytes);
    data_bytes_ += static_cast<std::uint32_t>(bytes.size());
  }

  ByteStream& output_;
  bool write_wave_;
  TapeTiming timing_;
  const SignalTables& tables_;
  std::uint32_t data_bytes_ = 0;
};

}  // namespace orvano::encode
