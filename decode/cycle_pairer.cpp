#include "decode/cycle_pairer.h"

#include <array>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
// are eight bits of "long or short", and with the open-pair flag before them
// they fix the bits written. A table of all 512 cases turns eight symbols
// into bits with one lookup.
constexpr std::size_t kGroup = 8;

struct alignas(16) GroupStep {
  std::array<std::uint8_t, kGroup> bits{};
  std::uint8_t count = 0;
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
  }
  return steps;
}();

static_assert(kLongCycle == 0x30 && kShortCycle == 0x31, "the word test relies on '0' and '1'");
constexpr std::size_t kWordSymbols = 64;
constexpr std::size_t kGroupsPerWord = kWordSymbols / kGroup;
constexpr std::uint64_t kEvenPositions = 0x5555'5555'5555'5555u;

// Sets `long_cycles` to a mask of the 64 symbols at `p`, bit j for a long
// symbol j; false when one of them is neither '0' nor '1'.
#if defined(__SSE2__) && !defined(ORVANO_PORTABLE_KERNELS)
bool LongCyclesOfWord(const std::uint8_t* p, std::uint64_t& long_cycles) {
  long_cycles = 0;
  for (std::size_t part = 0; part < kWordSymbols / 16; ++part) {
    const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
    const __m128i longs = _mm_cmpeq_epi8(chars, _mm_set1_epi8(static_cast<char>(kLongCycle)));
    const __m128i shorts = _mm_cmpeq_epi8(chars, _mm_set1_epi8(static_cast<char>(kShortCycle)));
    if (_mm_movemask_epi8(_mm_or_si128(longs, shorts)) != 0xFFFF) return false;
    long_cycles |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(longs))} << (16 * part);
  }
  return true;
}
#else
bool LongCyclesOfWord(const std::uint8_t* p, std::uint64_t& long_cycles) {
  constexpr std::uint64_t kOnes = 0x0101'0101'0101'0101u;
  long_cycles = 0;
  for (std::size_t g = 0; g < kGroupsPerWord; ++g) {
    const std::uint64_t chars = LoadLittle64(p + kGroup * g);
    // '0' and '1' differ in bit 0 only.
    if ((chars & ~kOnes) != kOnes * kLongCycle) return false;
    long_cycles |= std::uint64_t{EqualBytesMask(chars, kLongCycle)} << (kGroup * g);
  }
  return true;
}
#endif

// A mask of the symbols after which a pair is open: the short cycles that
// give a bit. In a run of short cycles that is every other one, from the
// first of the run on, or from the second when the run began before this
// word with a pair still open. Adding a bit at the start of a run clears the
// whole run, which is how the runs that start on an even position are found.
std::uint64_t OpenedPairs(std::uint64_t long_cycles, bool pending) {
  const std::uint64_t short_cycles = ~long_cycles;
  const std::uint64_t run_starts = short_cycles & ~(short_cycles << 1);
  const std::uint64_t even_starts = run_starts & kEvenPositions & ~std::uint64_t{pending};
  const std::uint64_t even_runs = short_cycles & ~(short_cycles + even_starts);
  const std::uint64_t odd_runs = short_cycles & ~even_runs;
  return (even_runs & kEvenPositions) | (odd_runs & ~kEvenPositions);
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
  for (; i + kWordSymbols <= symbols.size(); i += kWordSymbols) {
    const std::uint8_t* word = symbols.data() + i;
    std::uint64_t long_cycles = 0;
    if (!LongCyclesOfWord(word, long_cycles)) {
      for (std::size_t j = 0; j < kWordSymbols; ++j) pair_one(word[j]);
      continue;
    }
    // The open-pair flag before each group comes from the mask of the whole
    // word, so the lookups of the eight groups do not wait for one another.
    const std::uint64_t opened = OpenedPairs(long_cycles, pending);
    const std::uint64_t open_before = (opened << 1) | (pending ? 1u : 0u);
    for (std::size_t g = 0; g < kGroupsPerWord; ++g) {
      const auto index = static_cast<std::size_t>((((open_before >> (kGroup * g)) & 1u) << kGroup) |
                                                  ((long_cycles >> (kGroup * g)) & 0xFFu));
      const GroupStep& step = kGroupSteps[index];
      // Never more bits than symbols so far, so the eight bytes end within
      // the symbols of this group.
      std::memcpy(bits.data() + written, step.bits.data(), kGroup);
      written += step.count;
    }
    pending = (opened >> 63) != 0;
  }
  for (; i < symbols.size(); ++i) pair_one(symbols[i]);
  pending_ = pending;
  return written;
}

}  // namespace orvano::decode
