#include "tape/image_writer.h"

#include <gtest/gtest.h>

#include "tape/cas_image.h"
#include "tests/support/temp_dir.h"
#include "tests/tape/block_builders.h"

namespace orvano::tape {
namespace {

using namespace testing;

Bytes Marker() { return {kCasMarker.begin(), kCasMarker.end()}; }

// The image of another tool, as it is: its blocks, put together and written
// again, must give it back byte for byte.
TEST(ImageWriter, WritesAThreeFileImageBackAsItWas) {
  const std::string path = std::string(ORVANO_SAMPLES_DIR) + "/THREE.CAS";
  if (!Exists(path)) GTEST_SKIP() << "no " << path;
  const Bytes original = ReadFile(path);
  const CasImage image = ReadCasImage(original);
  ASSERT_TRUE(image.issues.empty());
  const TapeLayout layout = AssembleFiles(image.blocks);
  ASSERT_EQ(layout.files.size(), 3u);
  EXPECT_EQ(TapeImageOf(image.blocks, layout), original);
}

TEST(ImageWriter, LeavesOutWhatFollowsTheBytesTheComputerReads) {
  const Bytes junk{0xFE, 0, 0, 0, 0, 0, 0, 0};
  const Bytes custom{0x31, 0x32, 0x00, 0x00};
  const Bytes program = BasicData(ProgramBytes());
  const std::vector<TapeBlock> blocks{
      Block(Join({HeaderBytes(0xD3, "PROG"), junk})), Block(Join({program, junk})),
      Block(custom),  // no file's: kept whole, its zeros too
  };
  const Bytes expected = Join({Marker(), HeaderBytes(0xD3, "PROG"), Marker(), program, Bytes(1, 0), Marker(), custom});
  EXPECT_EQ(TapeImageOf(blocks, AssembleFiles(blocks)), expected);
}

}  // namespace
}  // namespace orvano::tape
