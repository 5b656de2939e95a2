#include "encode/tape_encoder.h"

#include <algorithm>
#include <array>

#include "encode/tape_signal.h"
#include "encode/wave_header.h"
#include "tape/tape_format.h"

namespace orvano::encode {
namespace {

// A gap goes out in pieces of this silence; any piece count gives the same
// output as one zero sample at a time.
const std::array<std::uint8_t, 64 * 1024> kSilence{};

}  // namespace

TapeEncoder::TapeEncoder(ByteStream& output, bool write_wave, const TapeTiming& timing)
    : output_(output), write_wave_(write_wave), timing_(timing), tables_(SignalTables::For(timing)) {}

void TapeEncoder::StartSignal() {
  data_bytes_ = 0;
  if (write_wave_) output_.Seek(kWaveHeaderBytes);
}

void TapeEncoder::StartHeaderBlock() { WriteLeader(timing_.long_leader_cells); }

void TapeEncoder::StartDataBlock() {
  WriteGap();
  WriteLeader(timing_.short_leader_cells);
}

void TapeEncoder::WriteTapeByte(std::uint8_t value) { Put(tables_.Frame(value)); }

void TapeEncoder::WriteTapeBytes(std::span<const std::uint8_t> values) {
  for (const std::uint8_t value : values) Put(tables_.Frame(value));
}

void TapeEncoder::WriteTapeName(std::string_view name) {
  for (const char c : name.substr(0, tape::kTapeNameBytes)) WriteTapeByte(static_cast<std::uint8_t>(c));
}

void TapeEncoder::WriteLeader(std::size_t cells) {
  while (cells > 0) {
    const std::size_t run = std::min(cells, SignalTables::kLeaderRunCells);
    Put(tables_.LeaderRun(run));
    cells -= run;
  }
}

void TapeEncoder::WriteGap() {
  std::size_t bytes = GapBytes(timing_);
  while (bytes > 0) {
    const std::size_t piece = std::min(bytes, kSilence.size());
    Put(std::span(kSilence).first(piece));
    bytes -= piece;
  }
}

void TapeEncoder::WriteWaveHeader() {
  const auto header = HeaderBytes(WaveHeaderFor(data_bytes_));
  const std::span<const std::uint8_t> bytes(header);
  output_.Seek(0);
  output_.Write(bytes.first(kRiffPartBytes));
  output_.Write(bytes.subspan(kRiffPartBytes, kFormatPartBytes));
  output_.Write(bytes.last(kDataPartBytes));
}

}  // namespace orvano::encode
