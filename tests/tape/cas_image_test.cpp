#include "tape/cas_image.h"

#include <gtest/gtest.h>

namespace orvano::tape {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Marker() { return {kCasMarker.begin(), kCasMarker.end()}; }

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(CasImage, BlocksArePaddedSoThatEveryMarkerIsAligned) {
  const std::vector<TapeBlock> blocks{{Bytes(16, 0xD3), {}}, {Bytes{1, 2, 3}, {}}, {Bytes{4}, {}}};
  const Bytes image = CasImageOf(blocks);
  EXPECT_EQ(image, Join({Marker(), Bytes(16, 0xD3), Marker(), {1, 2, 3}, Bytes(5, 0), Marker(), {4}}));
  const CasImage read = ReadCasImage(image);
  EXPECT_TRUE(read.issues.empty());
  ASSERT_EQ(read.blocks.size(), 3u);
  // The padding stays with its block: only the block's meaning can tell it apart.
  EXPECT_EQ(read.blocks[1].bytes, (Bytes{1, 2, 3, 0, 0, 0, 0, 0}));
  EXPECT_EQ(CasImageOf(read.blocks), image);
}

TEST(CasImage, IrregularImagesAreReadAndEachOddityIsReported) {
  using Kind = CasImageIssue::Kind;
  struct Case {
    const char* what;
    Bytes image;
    std::size_t blocks;
    std::vector<Kind> issues;
  };
  const Case cases[] = {
      {"empty", {}, 0, {}},
      {"no marker at all", {1, 2, 3}, 0, {Kind::BytesBeforeFirstMarker}},
      {"junk in front", Join({{9, 9, 9, 9, 9, 9, 9, 9}, Marker(), {5}}), 1, {Kind::BytesBeforeFirstMarker}},
      {"unaligned marker", Join({Marker(), {1, 2, 3}, Marker(), {4}}), 2, {Kind::UnalignedMarker}},
      {"cut inside a marker", Join({Marker(), {1, 2, 3, 4, 5, 6, 7, 8}, {0x1F, 0xA6, 0xDE}}), 1, {Kind::CutMarker}},
  };
  for (const Case& c : cases) {
    const CasImage read = ReadCasImage(c.image);
    EXPECT_EQ(read.blocks.size(), c.blocks) << c.what;
    std::vector<Kind> kinds;
    for (const auto& issue : read.issues) kinds.push_back(issue.kind);
    EXPECT_EQ(kinds, c.issues) << c.what;
  }
  // The cut marker is no part of the block before it.
  EXPECT_EQ(ReadCasImage(cases[4].image).blocks[0].bytes, (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(CasImage, OnlyAnImageBeginsWithTheMarker) {
  EXPECT_TRUE(StartsWithCasMarker(Join({Marker(), {0xD3}})));
  EXPECT_FALSE(StartsWithCasMarker(Bytes{0xFF, 0x01, 0x80}));
  EXPECT_FALSE(StartsWithCasMarker(Bytes{0x1F, 0xA6}));
}

}  // namespace
}  // namespace orvano::tape
