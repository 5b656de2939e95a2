#include "encode/tape_encoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "encode/tape_signal.h"
#include "encode/wave_header.h"
#include "tape/tape_format.h"

namespace orvano::encode {
namespace {

// Leaders are long runs of one-cells; writing them a few hundred cells at a
// time keeps the encoder close to the speed of a plain copy.
constexpr std::size_t kLeaderRunCells = 256;

constexpr std::array<std::uint8_t, kLeaderRunCells * kCellBytes> MakeLeaderRun() {
  std::array<std::uint8_t, kLeaderRunCells * kCellBytes> run{};
  for (std::size_t i = 0; i < run.size(); ++i) run[i] = OneCell[i % kCellBytes];
  return run;
}

constexpr auto kLeaderRun = MakeLeaderRun();

// The whole gap in one write: the output is the same as 65535 writes of one
// zero sample.
const std::array<std::uint8_t, kGapBytes> kSilence{};

std::span<const std::uint8_t> CellFor(bool bit) { return bit ? std::span(OneCell) : std::span(ZeroCell); }

}  // namespace

void TapeEncoder::StartSignal() {
  data_bytes_ = 0;
  if (write_wave_) output_.Seek(kWaveHeaderBytes);
}

void TapeEncoder::WriteZeroCell() {
  output_.Write(ZeroCell);
  Count(kCellBytes);
}

void TapeEncoder::WriteOneCell() {
  output_.Write(OneCell);
  Count(kCellBytes);
}

void TapeEncoder::WriteTapeByte(std::uint8_t value) {
  // The frame is put together here and written once; its bytes are those of
  // eleven cell writes.
  std::array<std::uint8_t, kFrameBytes> frame;
  auto place = [&frame, cell = std::size_t{0}](bool bit) mutable {
    std::memcpy(frame.data() + cell * kCellBytes, CellFor(bit).data(), kCellBytes);
    ++cell;
  };
  place(false);
  for (unsigned bit = 0; bit < tape::kDataBits; ++bit) place(((value >> bit) & 1u) != 0);
  for (std::size_t stop = 0; stop < tape::kStopBits; ++stop) place(true);
  output_.Write(frame);
  Count(kFrameBytes);
}

void TapeEncoder::WriteTapeName(std::string_view name) {
  for (const char c : name.substr(0, tape::kTapeNameBytes)) WriteTapeByte(static_cast<std::uint8_t>(c));
}

void TapeEncoder::WriteLeader(std::size_t cells) {
  while (cells > 0) {
    const std::size_t run = std::min(cells, kLeaderRunCells);
    output_.Write(std::span(kLeaderRun).first(run * kCellBytes));
    Count(run * kCellBytes);
    cells -= run;
  }
}

void TapeEncoder::WriteGap() {
  output_.Write(kSilence);
  Count(kGapBytes);
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
