#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/memory_stream.h"
#include "common/recording_reporter.h"
#include "tape/tape_copy.h"
#include "tests/tape/tape_builders.h"

namespace orvano::tape {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::FrameBits;
using testing::LeaderBits;

struct CopyCase {
  std::string name;
  std::string bits;
  Bytes bytes;
};

Bytes Copy(void (*copy)(ByteStream&, ByteStream&, Progress&), const std::string& text, RecordingReporter& reporter) {
  MemoryStream bits(Bytes(text.begin(), text.end()));
  MemoryStream out;
  Progress progress(reporter, "");
  copy(bits, out, progress);
  return out.Bytes();
}

// A text as a tape carries it: blocks of 256 behind leaders of their own,
// the last filled up with 0x1A, and one more 0x1A after it.
std::string TextBlocks(std::string text) {
  text.resize((text.size() / 256 + 1) * 256, '\x1A');
  text += '\x1A';
  std::string bits;
  for (std::size_t start = 0; start < text.size(); start += 256) bits += LeaderBits(40) + FrameBits(text.substr(start, 256));
  return bits;
}

TEST(CopyTapeBytes, CopiesEveryFrameToTheEnd) {
  const std::string many(10000, 'M');  // more than one block of frames
  const CopyCase cases[] = {
      {"whole frames", FrameBits("\x01\x02\xFF"), {1, 2, 0xFF}},
      {"a cut last frame gives one 0x00", FrameBits("A") + "0101", {'A', 0}},
      {"nothing left gives one 0x00", "", {0}},
      {"a leader inside is data", FrameBits("A") + LeaderBits(11), {'A', 0xFF}},
      {"many", FrameBits(many), Bytes(many.begin(), many.end())},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingReporter reporter;
    EXPECT_EQ(Copy(&CopyTapeBytes, c.bits, reporter), c.bytes);
  }
}

TEST(CopyTapeBytes, SetsTheProgressAfterEveryByte) {
  RecordingReporter reporter;
  Copy(&CopyTapeBytes, FrameBits(std::string(300, 'x')), reporter);
  // 3300 characters: byte n shows n / 3 percent.
  std::vector<int> expected;
  for (int percent = 1; percent <= 100; ++percent) expected.push_back(percent);
  EXPECT_EQ(reporter.ProgressValues(), expected);
}

TEST(CopyTapeText, StopsAtTheFirstEndOfText) {
  std::string text_300;
  for (int i = 0; i < 300; ++i) text_300 += static_cast<char>('A' + i % 26);
  const std::string block_256 = text_300.substr(0, 256);
  const CopyCase cases[] = {
      {"a short text", TextBlocks("Hello"), {'H', 'e', 'l', 'l', 'o'}},
      {"0x1A inside the first block", LeaderBits(9) + FrameBits("A\x1A" "BC"), {'A'}},
      {"300 bytes over two blocks", TextBlocks(text_300), Bytes(text_300.begin(), text_300.end())},
      {"exactly one block", TextBlocks(block_256), Bytes(block_256.begin(), block_256.end())},
      {"a run of 1 bits inside a block is data", LeaderBits(9) + FrameBits("a") + LeaderBits(11) + FrameBits("\x1A"),
       {'a', 0xFF}},
      {"a cut frame gives one 0x00", LeaderBits(9) + FrameBits("Hi") + "011", {'H', 'i', 0}},
      {"no end of text", LeaderBits(9) + FrameBits("Hi"), {'H', 'i'}},
      {"nothing after the leader", LeaderBits(9), {0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingReporter reporter;
    EXPECT_EQ(Copy(&CopyTapeText, c.bits, reporter), c.bytes);
  }
}

}  // namespace
}  // namespace orvano::tape
