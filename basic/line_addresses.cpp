#include "basic/line_addresses.h"

#include <algorithm>
#include <map>

namespace orvano::basic {
namespace {

// Where a program lies when it is loaded into an MSX with 32 KB or more.
constexpr std::uint16_t kUsualBase = 0x8001;

}  // namespace

LineAddressMap::LineAddressMap(std::span<const std::uint8_t> program, std::span<const ProgramLine> lines)
    : program_(program) {
  std::map<std::uint16_t, int> votes;
  for (const ProgramLine& line : lines) {
    line_offsets_.push_back(line.offset);
    if (line.complete) ++votes[static_cast<std::uint16_t>(line.link - line.end)];
  }
  for (const auto& [base, count] : votes) {
    if (count > agreeing_ || (count == agreeing_ && base == kUsualBase)) {
      agreeing_ = count;
      base_ = base;
    }
  }
}

std::uint16_t LineAddressMap::AddressOf(std::size_t offset) const { return static_cast<std::uint16_t>(base_ + offset); }

LineAddressMap::Target LineAddressMap::Resolve(std::uint16_t address) const {
  // The 0x00 right before the first line lies just below the program.
  const auto offset = static_cast<std::uint16_t>(address - base_ + 1);
  const std::size_t number_at = std::size_t{offset} + 2;
  if (number_at + 1 >= program_.size()) return {address, false};
  const bool at_line = std::binary_search(line_offsets_.begin(), line_offsets_.end(), std::size_t{offset}) &&
                       (offset == 0 || program_[offset - 1u] == 0);
  return {static_cast<std::uint16_t>(program_[number_at] | (program_[number_at + 1] << 8)), at_line};
}

}  // namespace orvano::basic
