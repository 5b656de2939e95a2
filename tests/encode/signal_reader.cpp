#include "tests/encode/signal_reader.h"

#include <optional>

namespace orvano::encode::testing {
namespace {

std::vector<int> LevelsOf(const std::vector<std::size_t>& half_waves) {
  std::vector<int> levels;
  for (std::size_t i = 0; i < half_waves.size(); ++i) levels.insert(levels.end(), half_waves[i], i % 2 == 0 ? -5000 : 5000);
  return levels;
}

class Samples {
 public:
  Samples(std::span<const std::uint8_t> bytes, const CellShapes& shapes)
      : bytes_(bytes), zero_(LevelsOf(shapes.zero)), one_(LevelsOf(shapes.one)) {}
  std::size_t Size() const { return bytes_.size() / 2; }
  std::size_t CellSize() const { return zero_.size(); }
  int At(std::size_t i) const {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes_[2 * i] | bytes_[2 * i + 1] << 8));
  }
  // The bit of the cell at sample i, if it is one.
  std::optional<int> Cell(std::size_t i) const {
    if (i + CellSize() > Size()) return std::nullopt;
    if (Matches(i, one_)) return 1;
    if (Matches(i, zero_)) return 0;
    return std::nullopt;
  }

 private:
  bool Matches(std::size_t i, const std::vector<int>& levels) const {
    for (std::size_t s = 0; s < levels.size(); ++s) {
      if (At(i + s) != levels[s]) return false;
    }
    return true;
  }

  std::span<const std::uint8_t> bytes_;
  std::vector<int> zero_;
  std::vector<int> one_;
};

}  // namespace

const CellShapes kShapes1200{{18, 18}, {9, 9, 9, 9}};
const CellShapes kShapes2400{{9, 9}, {5, 4, 5, 4}};

Segment Leader(std::size_t cells) { return {Segment::Kind::Leader, cells, {}}; }
Segment Gap(std::size_t samples) { return {Segment::Kind::Gap, samples, {}}; }
Segment Frames(std::vector<std::uint8_t> bytes) { return {Segment::Kind::Frames, 0, std::move(bytes)}; }

std::ostream& operator<<(std::ostream& out, const Segment& segment) {
  static constexpr const char* kNames[] = {"Leader", "Gap", "Frames", "Malformed"};
  out << kNames[static_cast<int>(segment.kind)] << "(" << segment.count;
  for (const std::uint8_t byte : segment.bytes) out << " " << static_cast<int>(byte);
  return out << ")";
}

std::vector<Segment> ReadSignal(std::span<const std::uint8_t> bytes, const CellShapes& shapes) {
  const Samples samples(bytes, shapes);
  const std::size_t cell = samples.CellSize();
  std::vector<Segment> segments;
  auto malformed_at = [&segments](std::size_t sample) {
    segments.push_back({Segment::Kind::Malformed, sample, {}});
    return segments;
  };
  std::size_t i = 0;
  while (i < samples.Size()) {
    if (samples.At(i) == 0) {
      const std::size_t start = i;
      while (i < samples.Size() && samples.At(i) == 0) ++i;
      segments.push_back(Gap(i - start));
      continue;
    }
    if (samples.Cell(i) == 1) {
      const std::size_t start = i;
      while (samples.Cell(i) == 1) i += cell;
      segments.push_back(Leader((i - start) / cell));
      continue;
    }
    Segment frames = Frames({});
    while (samples.Cell(i) == 0) {
      unsigned value = 0;
      for (std::size_t bit = 0; bit < 8; ++bit) {
        const std::optional<int> data = samples.Cell(i + (1 + bit) * cell);
        if (!data) return malformed_at(i);
        value |= static_cast<unsigned>(*data) << bit;
      }
      if (samples.Cell(i + 9 * cell) != 1 || samples.Cell(i + 10 * cell) != 1) return malformed_at(i);
      frames.bytes.push_back(static_cast<std::uint8_t>(value));
      i += 11 * cell;
    }
    if (frames.bytes.empty()) return malformed_at(i);
    segments.push_back(std::move(frames));
  }
  return bytes.size() % 2 != 0 ? malformed_at(i) : segments;
}

std::string CellBits(std::span<const std::uint8_t> bytes, const CellShapes& shapes) {
  const Samples samples(bytes, shapes);
  std::string bits;
  for (std::size_t i = 0; i + samples.CellSize() <= samples.Size(); i += samples.CellSize()) {
    const std::optional<int> bit = samples.Cell(i);
    bits += bit ? static_cast<char>('0' + *bit) : '?';
  }
  return bits;
}

}  // namespace orvano::encode::testing
