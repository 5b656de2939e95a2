#include "encode/signal_tables.h"

#include <map>
#include <memory>
#include <mutex>

#include "encode/tape_signal.h"
#include "tape/tape_format.h"

namespace orvano::encode {
namespace {

std::vector<std::uint8_t> MakeCell(std::size_t cell_samples, std::size_t half_waves) {
  std::vector<std::uint8_t> cell;
  cell.reserve(cell_samples * kSampleBytes);
  for (std::size_t sample = 0; sample < cell_samples; ++sample) {
    const auto bits = static_cast<std::uint16_t>(CellLevel(sample, cell_samples, half_waves));
    cell.push_back(static_cast<std::uint8_t>(bits & 0xFFu));
    cell.push_back(static_cast<std::uint8_t>(bits >> 8));
  }
  return cell;
}

}  // namespace

const SignalTables& SignalTables::For(const TapeTiming& timing) {
  static std::mutex mutex;
  static std::map<std::size_t, std::unique_ptr<const SignalTables>> made;
  const std::lock_guard lock(mutex);
  auto& tables = made[timing.cell_samples];
  if (!tables) tables = std::make_unique<const SignalTables>(timing.cell_samples);
  return *tables;
}

SignalTables::SignalTables(std::size_t cell_samples)
    : cell_bytes_(cell_samples * kSampleBytes),
      frame_bytes_(tape::kFrameBits * cell_bytes_),
      zero_cell_(MakeCell(cell_samples, kZeroHalfWaves)),
      one_cell_(MakeCell(cell_samples, kOneHalfWaves)) {
  frames_.reserve(256 * frame_bytes_);
  const auto append = [this](bool bit) {
    const auto cell = Cell(bit);
    frames_.insert(frames_.end(), cell.begin(), cell.end());
  };
  for (unsigned value = 0; value < 256; ++value) {
    append(false);
    for (unsigned bit = 0; bit < tape::kDataBits; ++bit) append(((value >> bit) & 1u) != 0);
    for (std::size_t stop = 0; stop < tape::kStopBits; ++stop) append(true);
  }
  leader_run_.reserve(kLeaderRunCells * cell_bytes_);
  for (std::size_t cell = 0; cell < kLeaderRunCells; ++cell) {
    leader_run_.insert(leader_run_.end(), one_cell_.begin(), one_cell_.end());
  }
}

std::span<const std::uint8_t> SignalTables::Cell(bool bit) const { return bit ? one_cell_ : zero_cell_; }

std::span<const std::uint8_t> SignalTables::Frame(std::uint8_t value) const {
  return std::span(frames_).subspan(value * frame_bytes_, frame_bytes_);
}

std::span<const std::uint8_t> SignalTables::LeaderRun(std::size_t cells) const {
  return std::span(leader_run_).first(cells * cell_bytes_);
}

}  // namespace orvano::encode
