#include "decode/cycle_pairer.h"

#include <array>
#include <cstring>

#include "common/byte_order.h"
#include "decode/symbols.h"

namespace orvano::decode {
namespace {

// One symbol: a long cycle is a bit; a short cycle is a bit when it opens a
// pair and nothing when it closes one. Returns whether it wrote.
constexpr bool PairOne(bool long_cycle, bool& pending) {
  const bool writes = long_cycle || !pending;
  pending = !long_cycle && !pending;
  return writes;
}

// Cycle files made by phase 1 hold nothing but '0' and '1', so eight symbols
// are eight bits of "long or short", and with the open-pair flag they fix
// the bits written. A table of all 512 cases turns eight symbols into bits
// with one lookup instead of eight dependent steps.
constexpr std::size_t kGroup = 8;

struct GroupStep {
  std::array<std::uint8_t, kGroup> bits{};
  std::uint8_t count = 0;
  bool pending = false;
};

constexpr std::array<GroupStep, 2 << kGroup> kGroupSteps = [] {
  std::array<GroupStep, 2 << kGroup> steps{};
  for (std::size_t index = 0; index < steps.size(); ++index) {
    bool pending = (index >> kGroup) != 0;
    GroupStep& step = steps[index];
    for (std::size_t j = 0; j < kGroup; ++j) {
      const bool long_cycle = ((index >> j) & 1u) != 0;
      if (PairOne(long_cycle, pending)) step.bits[step.count++] = long_cycle ? kLongCycle : kShortCycle;
    }
    step.pending = pending;
  }
  return steps;
}();

static_assert(kLongCycle == 0x30 && kShortCycle == 0x31, "the group test relies on '0' and '1'");
constexpr std::uint64_t kOnes = 0x0101'0101'0101'0101u;

// Sets `long_cycles` to the table index of the eight symbols at `p` (bit j
// for a long symbol j); false when one of them is neither '0' nor '1'.
bool LongCyclesOfGroup(const std::uint8_t* p, unsigned& long_cycles) {
  const std::uint64_t word = LoadLittle64(p);
  if ((word & ~kOnes) != kOnes * 0x30u) return false;
  long_cycles = EqualBytesMask(word, kLongCycle);
  return true;
}

}  // namespace

std::size_t CyclePairer::Pair(std::span<const std::uint8_t> symbols, std::span<std::uint8_t> bits) {
  bool pending = pending_;
  std::size_t written = 0;
  std::size_t i = 0;
  const auto pair_one = [&](std::uint8_t symbol) {
    bits[written] = symbol;
    written += PairOne(symbol == kLongCycle, pending) ? 1 : 0;
  };
  for (; i + kGroup <= symbols.size(); i += kGroup) {
    unsigned long_cycles = 0;
    if (!LongCyclesOfGroup(symbols.data() + i, long_cycles)) {
      for (std::size_t j = 0; j < kGroup; ++j) pair_one(symbols[i + j]);
      continue;
    }
    const GroupStep& step = kGroupSteps[(pending ? 1u << kGroup : 0u) | long_cycles];
    // Never more bits than symbols, so the eight bytes fit below i + 8.
    std::memcpy(bits.data() + written, step.bits.data(), kGroup);
    written += step.count;
    pending = step.pending;
  }
  for (; i < symbols.size(); ++i) pair_one(symbols[i]);
  pending_ = pending;
  return written;
}

}  // namespace orvano::decode
