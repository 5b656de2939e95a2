#include "tape/cas_image.h"

#include <algorithm>

#include "common/number_text.h"

namespace orvano::tape {
namespace {

bool MarkerAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return offset + kCasMarker.size() <= bytes.size() &&
         std::equal(kCasMarker.begin(), kCasMarker.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

// A marker cut short by the end of the image: the image ends in at least
// two of the marker's first bytes, from an aligned offset on.
std::size_t CutMarkerLength(std::span<const std::uint8_t> bytes, std::size_t block_start) {
  for (std::size_t length = kCasMarker.size() - 1; length >= 2; --length) {
    if (bytes.size() < block_start + length) continue;
    const std::size_t offset = bytes.size() - length;
    if (offset % kCasAlignment != 0) continue;
    if (std::equal(kCasMarker.begin(), kCasMarker.begin() + static_cast<std::ptrdiff_t>(length),
                   bytes.begin() + static_cast<std::ptrdiff_t>(offset))) {
      return length;
    }
  }
  return 0;
}

}  // namespace

bool StartsWithCasMarker(std::span<const std::uint8_t> bytes) { return MarkerAt(bytes, 0); }

void AppendCasBlock(std::vector<std::uint8_t>& image, std::span<const std::uint8_t> block) {
  image.resize((image.size() + kCasAlignment - 1) / kCasAlignment * kCasAlignment, 0x00);
  image.insert(image.end(), kCasMarker.begin(), kCasMarker.end());
  image.insert(image.end(), block.begin(), block.end());
}

std::vector<std::uint8_t> CasImageOf(std::span<const TapeBlock> blocks) {
  std::vector<std::uint8_t> image;
  for (const TapeBlock& block : blocks) AppendCasBlock(image, block.bytes);
  return image;
}

CasImage ReadCasImage(std::span<const std::uint8_t> bytes) {
  CasImage image;
  std::vector<std::size_t> markers;
  for (std::size_t offset = 0; offset + kCasMarker.size() <= bytes.size(); ++offset) {
    if (!MarkerAt(bytes, offset)) continue;
    markers.push_back(offset);
    if (offset % kCasAlignment != 0) image.issues.push_back({CasImageIssue::Kind::UnalignedMarker, offset});
    offset += kCasMarker.size() - 1;
  }
  if (bytes.empty()) return image;
  if (markers.empty() || markers.front() != 0) image.issues.insert(image.issues.begin(), {CasImageIssue::Kind::BytesBeforeFirstMarker, 0});
  for (std::size_t i = 0; i < markers.size(); ++i) {
    const std::size_t start = markers[i] + kCasMarker.size();
    std::size_t end = i + 1 < markers.size() ? markers[i + 1] : bytes.size();
    if (i + 1 == markers.size()) {
      if (const std::size_t cut = CutMarkerLength(bytes, start)) {
        end -= cut;
        image.issues.push_back({CasImageIssue::Kind::CutMarker, end});
      }
    }
    image.blocks.push_back({{bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.begin() + static_cast<std::ptrdiff_t>(end)}, {}});
  }
  return image;
}

std::string IssueText(const CasImageIssue& issue) {
  const std::string where = " at offset " + Decimal(issue.offset);
  switch (issue.kind) {
    case CasImageIssue::Kind::BytesBeforeFirstMarker:
      return "The image does not begin with a block marker; the bytes before the first marker are skipped";
    case CasImageIssue::Kind::UnalignedMarker:
      return "Block marker" + where + " is not on a multiple of 8";
    case CasImageIssue::Kind::CutMarker:
      return "The image ends inside a block marker" + where;
  }
  return {};
}

}  // namespace orvano::tape
