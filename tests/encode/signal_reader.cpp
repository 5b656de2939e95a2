#include "tests/encode/signal_reader.h"

#include <optional>

namespace orvano::encode::testing {
namespace {

constexpr std::size_t kCell = 36;

class Samples {
 public:
  explicit Samples(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::size_t Size() const { return bytes_.size() / 2; }
  int At(std::size_t i) const {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes_[2 * i] | bytes_[2 * i + 1] << 8));
  }
  // The bit of the cell at sample i, if it is one.
  std::optional<int> Cell(std::size_t i) const {
    if (i + kCell > Size()) return std::nullopt;
    for (const std::size_t half : {std::size_t{18}, std::size_t{9}}) {
      bool match = true;
      for (std::size_t s = 0; s < kCell && match; ++s) match = At(i + s) == ((s / half) % 2 == 0 ? -5000 : 5000);
      if (match) return half == 9 ? 1 : 0;
    }
    return std::nullopt;
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace

Segment Leader(std::size_t cells) { return {Segment::Kind::Leader, cells, {}}; }
Segment Gap(std::size_t samples) { return {Segment::Kind::Gap, samples, {}}; }
Segment Frames(std::vector<std::uint8_t> bytes) { return {Segment::Kind::Frames, 0, std::move(bytes)}; }

std::ostream& operator<<(std::ostream& out, const Segment& segment) {
  static constexpr const char* kNames[] = {"Leader", "Gap", "Frames", "Malformed"};
  out << kNames[static_cast<int>(segment.kind)] << "(" << segment.count;
  for (const std::uint8_t byte : segment.bytes) out << " " << static_cast<int>(byte);
  return out << ")";
}

std::vector<Segment> ReadSignal(std::span<const std::uint8_t> bytes) {
  const Samples samples(bytes);
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
      while (samples.Cell(i) == 1) i += kCell;
      segments.push_back(Leader((i - start) / kCell));
      continue;
    }
    Segment frames = Frames({});
    while (samples.Cell(i) == 0) {
      unsigned value = 0;
      for (std::size_t bit = 0; bit < 8; ++bit) {
        const std::optional<int> data = samples.Cell(i + (1 + bit) * kCell);
        if (!data) return malformed_at(i);
        value |= static_cast<unsigned>(*data) << bit;
      }
      if (samples.Cell(i + 9 * kCell) != 1 || samples.Cell(i + 10 * kCell) != 1) return malformed_at(i);
      frames.bytes.push_back(static_cast<std::uint8_t>(value));
      i += 11 * kCell;
    }
    if (frames.bytes.empty()) return malformed_at(i);
    segments.push_back(std::move(frames));
  }
  return bytes.size() % 2 != 0 ? malformed_at(i) : segments;
}

}  // namespace orvano::encode::testing
