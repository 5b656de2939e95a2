#include "tape/file_assembly.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tape/block_builders.h"

namespace orvano::tape {
namespace {

using namespace testing;

const std::vector<std::uint8_t> kImage{0x3E, 0x41, 0xCD, 0xA2, 0x00, 0xC9};
const std::vector<std::uint8_t> kJunk{0xFE, 0, 0, 0, 0, 0, 0, 0};

std::string ProblemText(const FileProblem& p) {
  static const char* const kNames[] = {"HeaderDamaged", "FramingErrors", "DataMissing",  "AddressesCut",
                                       "EndBelowLoad",  "DataCut",       "NoProgramEnd", "NoTextEnd"};
  std::string text = std::string(kNames[static_cast<int>(p.kind)]) + "@" + std::to_string(p.block + 1);
  if (p.have != 0 || p.want != 0) text += " " + std::to_string(p.have) + "/" + std::to_string(p.want);
  return text;
}

// One line per file: type, name, status, size of its contents (or "-" when
// it has none) and problems; then one word per block: the part (Header,
// Data, Loose), the file's number, the bytes kept and those ignored.
std::vector<std::string> Describe(const TapeLayout& layout) {
  std::vector<std::string> lines;
  for (const TapeFile& file : layout.files) {
    static const char* const kTypes[] = {"basic", "binary", "text"};
    static const char* const kStatus[] = {"complete", "damaged", "incomplete"};
    std::string line = std::string(kTypes[static_cast<int>(file.type)]) + " '" + file.name + "' " +
                       kStatus[static_cast<int>(file.Status())] + " " +
                       (file.has_contents ? std::to_string(file.contents.size()) : "-");
    for (const FileProblem& problem : file.problems) line += " " + ProblemText(problem);
    lines.push_back(line);
  }
  std::string blocks;
  for (const BlockUse& use : layout.blocks) {
    if (!blocks.empty()) blocks += ' ';
    blocks += "HDL"[static_cast<int>(use.part)];
    blocks += use.file ? std::to_string(*use.file + 1) : "";
    blocks += ":" + std::to_string(use.kept);
    if (use.ignored != 0) blocks += "+" + std::to_string(use.ignored);
  }
  lines.push_back(blocks);
  return lines;
}

std::vector<TapeBlock> Blocks(std::initializer_list<Bytes> parts) {
  std::vector<TapeBlock> blocks;
  for (const Bytes& part : parts) blocks.push_back(Block(part));
  return blocks;
}

TEST(FileAssembly, PutsTogetherEachKindOfFileAndKeepsOtherBlocksWhole) {
  const std::vector<Bytes> text = TextData(std::string(300, 'x'));
  const std::vector<TapeBlock> blocks = Blocks({
      HeaderBytes(0xD3, "PROG"),
      BasicData(ProgramBytes()),
      {0x55, 0xAA, 0x01},  // a custom loader's block
      HeaderBytes(0xD0, "GAME"),
      BinaryData(0xC000, 0xC005, 0xC002, kImage),
      HeaderBytes(0xEA, "NOTES"),
      text[0],
      text[1],
  });
  const TapeLayout layout = AssembleFiles(blocks);
  EXPECT_EQ(Describe(layout), (std::vector<std::string>{
                                  "basic 'PROG  ' complete 8",
                                  "binary 'GAME  ' complete 6",
                                  "text 'NOTES ' complete 300",
                                  "H1:16 D1:15 L:3 H2:16 D2:12 H3:16 D3:256 D3:256",
                              }));
  EXPECT_EQ(layout.files[0].contents, ProgramBytes());
  EXPECT_EQ(layout.files[1].contents, kImage);
  ASSERT_TRUE(layout.files[1].addresses.has_value());
  EXPECT_EQ(layout.files[1].addresses->exec, 0xC002);
  EXPECT_EQ(layout.files[2].contents, Bytes(300, 'x'));
  EXPECT_EQ(layout.files[2].data_blocks, (std::vector<std::size_t>{6, 7}));
}

TEST(FileAssembly, InventsNothing) {
  const Bytes noise{0x12, 0x9A, 0xD3, 0xD3, 0xD3, 0xD3, 0xD3, 0xD3, 0x00,
                    0x44, 0x17, 0x80, 0x11, 0x00, 0x03, 0x99, 0x21};
  Bytes six_of_ten = HeaderBytes(0xD0, "BROKEN");
  for (int i : {1, 4, 5, 8}) six_of_ten[i] = 0x50;
  Bytes eight_of_ten = HeaderBytes(0xD0, "WORN");
  eight_of_ten[2] = 0xD8;
  eight_of_ten[9] = 0x00;
  const Bytes program = BasicData(ProgramBytes());
  const struct {
    const char* what;
    std::vector<TapeBlock> blocks;
    std::vector<std::string> layout;
  } cases[] = {
      {"nothing", {}, {""}},
      {"noise", Blocks({noise, {0xD3}, noise}), {"L:17 L:1 L:17"}},
      {"a header cut inside its name", Blocks({Bytes(12, 0xD3), program}), {"L:12 L:15"}},
      {"a destroyed header beside an intact file",
       Blocks({six_of_ten, BinaryData(0x9000, 0x9005, 0x9000, kImage), HeaderBytes(0xD3, "PROG"), program}),
       {"basic 'PROG  ' complete 8", "L:16 L:12 H1:16 D1:15"}},
      {"a worn header",
       Blocks({eight_of_ten, BinaryData(0x9000, 0x9005, 0x9000, kImage)}),
       {"binary 'WORN  ' damaged 6 HeaderDamaged@1 8/0", "H1:16 D1:12"}},
      {"a tape cut after the header",
       Blocks({HeaderBytes(0xD3, "PROG")}),
       {"basic 'PROG  ' incomplete - DataMissing@1", "H1:16"}},
      {"a data block missing before the next file",
       Blocks({HeaderBytes(0xEA, "NOTES"), HeaderBytes(0xD3, "PROG"), program}),
       {"text 'NOTES ' incomplete - DataMissing@1", "basic 'PROG  ' complete 8", "H1:16 H2:16 D2:15"}},
      {"a binary cut short",
       Blocks({HeaderBytes(0xD0, "GAME"), BinaryData(0x9000, 0x9009, 0x9000, kImage)}),
       {"binary 'GAME  ' incomplete 6 DataCut@2 6/10", "H1:16 D1:12"}},
      {"a binary cut inside its addresses",
       Blocks({HeaderBytes(0xD0, "GAME"), {0x00, 0x90, 0x05}}),
       {"binary 'GAME  ' incomplete - AddressesCut@2 3/6", "H1:16 D1:3"}},
      {"a binary ending below its load address",
       Blocks({HeaderBytes(0xD0, "GAME"), BinaryData(0x9000, 0x8FFF, 0x9000, kImage)}),
       {"binary 'GAME  ' damaged - EndBelowLoad@2", "H1:16 L:12"}},
      {"a program without its zero link",
       Blocks({HeaderBytes(0xD3, "PROG"), {0x09, 0x80, 0x0A, 0x00, 0x91, 0x00}}),
       {"basic 'PROG  ' incomplete 6 NoProgramEnd@2", "H1:16 D1:6"}},
      {"a text without its end mark",
       Blocks({HeaderBytes(0xEA, "NOTES"), Bytes(256, 'a'), Bytes(100, 'b')}),
       {"text 'NOTES ' incomplete 356 DataCut@3 100/256 NoTextEnd@3", "H1:16 D1:256 D1:100"}},
      {"a text with a block cut short",
       Blocks({HeaderBytes(0xEA, "NOTES"), Bytes(200, 'a'), Join({Bytes(3, 'b'), Bytes(253, 0x1A)})}),
       {"text 'NOTES ' incomplete 203 DataCut@2 200/256", "H1:16 D1:200 D1:256"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Describe(AssembleFiles(c.blocks)), c.layout);
  }
}

TEST(FileAssembly, EndsEachBlockWhereTheComputerStopsReading) {
  const struct {
    const char* what;
    std::vector<TapeBlock> blocks;
    std::vector<std::string> layout;
  } cases[] = {
      {"junk after a header and after the last block",
       Blocks({Join({HeaderBytes(0xD3, "PROG"), kJunk}), Join({BasicData(ProgramBytes()), kJunk})}),
       {"basic 'PROG  ' complete 8", "H1:16+8 D1:15+8"}},
      // Zeros after the end may be an image's padding: they stay, without a word.
      {"zeros after the end",
       Blocks({Join({HeaderBytes(0xD0, "GAME"), Bytes(8, 0)}),
               Join({BinaryData(0x9000, 0x9005, 0x9000, kImage), Bytes(2, 0)})}),
       {"binary 'GAME  ' complete 6", "H1:24 D1:14"}},
      {"junk after a binary",
       Blocks({HeaderBytes(0xD0, "GAME"), Join({BinaryData(0x9000, 0x9002, 0, kImage)})}),
       {"binary 'GAME  ' complete 3", "H1:16 D1:9+3"}},
      {"junk after a text block",
       Blocks({HeaderBytes(0xEA, "T"), Join({TextData("hi")[0], kJunk})}),
       {"text 'T     ' complete 2", "H1:16 D1:256+8"}},
      // The zeros of a constant in the last line are no end of it: 10 A=0
      // stored with the integer 0 ends after its zero link, then seven zeros.
      {"zeros inside a constant are no end",
       Blocks({HeaderBytes(0xD3, "PROG"), Join({{0x0B, 0x80, 0x0A, 0x00, 0x1C, 0x00, 0x00, 0x00, 0x00, 0x00}, Bytes(7, 0), kJunk})}),
       {"basic 'PROG  ' complete 10", "H1:16 D1:17+8"}},
      {"a custom block with trailing bytes is kept whole", Blocks({Join({{1, 2, 3}, kJunk})}), {"L:11"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Describe(AssembleFiles(c.blocks)), c.layout);
  }
}

TEST(FileAssembly, CountsOnlyTheFramingErrorsInTheBytesAFileTakes) {
  std::vector<TapeBlock> blocks =
      Blocks({Join({HeaderBytes(0xD0, "GAME"), kJunk}), Join({BinaryData(0x9000, 0x9005, 0x9000, kImage), kJunk})});
  blocks[0].signal = BlockSignal{0.5, 7.0, 1200, -3, {6.9}, {20}};          // in the junk
  blocks[1].signal = BlockSignal{8.0, 9.0, 2400, -3, {8.2, 8.9}, {2, 15}};  // an address, the junk
  const TapeLayout layout = AssembleFiles(blocks);
  ASSERT_EQ(layout.files.size(), 1u);
  EXPECT_EQ(layout.files[0].framing_errors, std::vector<double>{8.2});
  EXPECT_EQ(layout.files[0].Status(), FileStatus::Damaged);
  EXPECT_EQ(Describe(layout)[0], "binary 'GAME  ' damaged 6 FramingErrors@1 1/0");
}

}  // namespace
}  // namespace orvano::tape
