#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "decode/cycle_classifier.h"
#include "decode/cycle_pairer.h"
#include "decode/sample_recode.h"

namespace orvano::decode {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Samples(std::initializer_list<int> values) {
  Bytes bytes;
  for (const int value : values) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
  }
  return bytes;
}

// Negative runs of the given lengths, each ended by one sample of `end`.
Bytes Runs(std::initializer_list<std::size_t> lengths, int end = 5000) {
  Bytes bytes;
  for (const std::size_t length : lengths) {
    for (std::size_t i = 0; i < length; ++i) bytes.insert(bytes.end(), {0x78, 0xEC});
    const Bytes last = Samples({end});
    bytes.insert(bytes.end(), last.begin(), last.end());
  }
  return bytes;
}

std::string Classify(CycleClassifier& classifier, std::span<const std::uint8_t> samples) {
  std::string symbols(samples.size() / 2, '\0');
  symbols.resize(classifier.Classify(samples, {reinterpret_cast<std::uint8_t*>(symbols.data()), symbols.size()}));
  return symbols;
}

std::string Pair(CyclePairer& pairer, std::string_view symbols) {
  std::string bits(symbols.size(), '\0');
  bits.resize(pairer.Pair({reinterpret_cast<const std::uint8_t*>(symbols.data()), symbols.size()},
                          {reinterpret_cast<std::uint8_t*>(bits.data()), bits.size()}));
  return bits;
}

TEST(RecodeSamples, SquaresEverySampleBySignAndKeepsAnOddLastByte) {
  Bytes bytes = Samples({0, 1, -1, 5000, -5000, 32767, -32768, 0x0080, -256});
  bytes.push_back(0x7B);
  RecodeSamples(bytes);
  Bytes expected = Samples({0, 5000, -5000, 5000, -5000, 5000, -5000, 5000, -5000});
  expected.push_back(0x7B);
  EXPECT_EQ(bytes, expected);
}

TEST(RecodeSamples, SquaresEverySixteenBitValue) {
  Bytes bytes;
  for (int value = -32768; value <= 32767; ++value) {
    const Bytes sample = Samples({value});
    bytes.insert(bytes.end(), sample.begin(), sample.end());
  }
  RecodeSamples(bytes);
  for (int value = -32768; value <= 32767; ++value) {
    const auto at = static_cast<std::size_t>(value + 32768) * 2;
    const int level = static_cast<std::int16_t>(bytes[at] | (bytes[at + 1] << 8));
    ASSERT_EQ(level, value > 0 ? 5000 : value < 0 ? -5000 : 0) << value;
  }
}

TEST(CycleClassifier, ClassifiesEachRunLength) {
  const struct {
    std::size_t run;
    std::string symbols;
  } cases[] = {
      {5, ""},   {6, "1"},  {13, "1"},
      {14, ""},  // between the two tones: dropped, not rounded
      {15, "0"}, {29, "0"}, {30, ""},  {255, ""},
      {256, ""}, {262, "1"}, {270, ""}, {274, "0"},  // the 8-bit counter wraps
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.run);
    CycleClassifier classifier;
    EXPECT_EQ(Classify(classifier, Runs({c.run})), c.symbols);
  }
}

TEST(CycleClassifier, KeepsItsRunAcrossBlocksAndEndsItOnZero) {
  Bytes samples = Runs({9, 18, 14, 262, 3, 15}, 0);
  const Bytes open = Runs({7});
  samples.insert(samples.end(), open.begin(), open.end() - 2);  // still open at the end
  for (std::size_t split = 0; split <= samples.size(); split += 2) {
    SCOPED_TRACE(split);
    CycleClassifier classifier;
    const std::string first = Classify(classifier, std::span(samples).first(split));
    EXPECT_EQ(first + Classify(classifier, std::span(samples).subspan(split)), "1010");
    EXPECT_EQ(classifier.Run(), 7);
  }
}

// The classifying rule one sample at a time, to hold the block version against.
std::string ClassifySlowly(std::span<const std::uint8_t> samples, std::uint8_t& run) {
  std::string symbols;
  run = 0;
  for (std::size_t i = 1; i < samples.size(); i += 2) {
    if ((samples[i] & 0x80u) != 0) {
      ++run;
      continue;
    }
    if (kCycleOfRun[run] != kNoCycle) symbols += static_cast<char>(kCycleOfRun[run]);
    run = 0;
  }
  return symbols;
}

TEST(CycleClassifier, LongSignalsGiveTheSymbolsOfTheOneSampleRule) {
  std::mt19937 random(11);
  const struct {
    const char* what;
    unsigned longest_negative, longest_other;
  } cases[] = {
      {"tape tones", 20, 20}, {"noise", 3, 3}, {"runs across words", 200, 70}, {"wrapping runs", 700, 2},
  };
  for (const auto& c : cases) {
    Bytes samples;
    while (samples.size() < 20000) {
      const unsigned negative = static_cast<unsigned>(random() % (c.longest_negative + 1));
      for (unsigned i = 0; i < negative; ++i) samples.insert(samples.end(), {0x00, static_cast<std::uint8_t>(0x80 | random())});
      const unsigned other = 1 + static_cast<unsigned>(random() % c.longest_other);
      for (unsigned i = 0; i < other; ++i) samples.insert(samples.end(), {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random() & 0x7F)});
    }
    // End on an open run, so that the counter left behind is checked too.
    for (int i = 0; i < 300; ++i) samples.insert(samples.end(), {0x00, 0x80});
    std::uint8_t open_run = 0;
    const std::string expected = ClassifySlowly(samples, open_run);
    for (const std::size_t split : {0, 2, 126, 128, 130, 4000}) {
      SCOPED_TRACE(std::string(c.what) + " split at " + std::to_string(split));
      CycleClassifier classifier;
      const std::string first = Classify(classifier, std::span(samples).first(split));
      EXPECT_EQ(first + Classify(classifier, std::span(samples).subspan(split)), expected);
      EXPECT_EQ(classifier.Run(), open_run);
    }
  }
}

TEST(CyclePairer, TurnsCyclesIntoBitsAcrossBlocks) {
  const struct {
    std::string symbols, bits;
  } cases[] = {
      {"", ""},
      {"0110", "010"},
      {"01110", "0110"},  // the third short cycle opens a pair that the 0 cuts short
      {"0101", "0101"},   // a lone short cycle between long ones is still a 1 bit
      {"11111111", "1111"},
      {"x1x10", "xx0"},  // any other character is a short cycle, copied when it opens a pair
  };
  for (const auto& c : cases) {
    for (std::size_t split = 0; split <= c.symbols.size(); ++split) {
      SCOPED_TRACE(c.symbols + " split at " + std::to_string(split));
      CyclePairer pairer;
      const std::string first = Pair(pairer, std::string_view(c.symbols).substr(0, split));
      EXPECT_EQ(first + Pair(pairer, std::string_view(c.symbols).substr(split)), c.bits);
    }
  }
}

// The pairing rule one symbol at a time, to hold the block version against.
std::string PairSlowly(std::string_view symbols) {
  std::string bits;
  bool pending = false;
  for (const char symbol : symbols) {
    const bool long_cycle = symbol == '0';
    if (long_cycle || !pending) bits += symbol;
    pending = !long_cycle && !pending;
  }
  return bits;
}

TEST(CyclePairer, LongInputsGiveTheBitsOfTheOneSymbolRule) {
  std::mt19937 random(7);
  const struct {
    const char* what;
    std::size_t length;
    unsigned long_share;  // in 8ths
    bool other_characters;
  } cases[] = {
      {"leader", 400, 0, false},       {"all long", 400, 8, false},   {"data", 1000, 3, false},
      {"mostly long", 1000, 6, false}, {"foreign bytes", 1000, 3, true},
  };
  for (const auto& c : cases) {
    std::string symbols;
    for (std::size_t i = 0; i < c.length; ++i) {
      const bool other = c.other_characters && random() % 16 == 0;
      symbols += other ? static_cast<char>(random() % 256) : (random() % 8 < c.long_share ? '0' : '1');
    }
    const std::string expected = PairSlowly(symbols);
    for (const std::size_t split : {0, 1, 7, 8, 9, 63, 64, 65, 333}) {
      SCOPED_TRACE(std::string(c.what) + " split at " + std::to_string(split));
      CyclePairer pairer;
      const std::string first = Pair(pairer, std::string_view(symbols).substr(0, split));
      EXPECT_EQ(first + Pair(pairer, std::string_view(symbols).substr(split)), expected);
    }
  }
}

}  // namespace
}  // namespace orvano::decode
