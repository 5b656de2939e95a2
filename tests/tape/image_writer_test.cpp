#include "tape/image_writer.h"

#include <gtest/gtest.h>

#include "tape/cas_image.h"
#include "tests/support/temp_dir.h"
#include "tests/tape/block_builders.h"

namespace orvano::tape {
namespace {

using namespace testing;

// The image of another tool, as it is: its blocks, put together and written
// again, must give it back byte for byte.
TEST(ImageWriter, WritesAThreeFileImageBackAsItWas) {
  const std::string path = std::string(ORVANO_SAMPLES) + "/THREE.CAS";
  if (!Exists(path)) GTEST_SKIP() << "no " << path;
  const Bytes original = ReadFile(path);
  const CasImage image = ReadCasImage(original);
  ASSERT_TRUE(image.issues.empty());
  const TapeLayout layout = AssembleFiles(image.blocks);
  ASSERT_EQ(layout.files.size(), 3u);
  EXPECT_EQ(TapeImageOf(image.blocks, layout), original);
}

}  // namespace
}  // namespace orvano::tape
