#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tape/tape_block.h"

namespace orvano::tape {

// The emulator tape image (.cas): every block of a tape, each after this
// marker. A marker starts at an offset that is a multiple of 8; the bytes
// before it are padded with 0x00 up to there.
inline constexpr std::array<std::uint8_t, 8> kCasMarker{0x1F, 0xA6, 0xDE, 0xBA, 0xCC, 0x13, 0x7D, 0x74};
inline constexpr std::size_t kCasAlignment = 8;

// Whether the bytes begin with the marker: such a .CAS file is a tape image,
// any other .CAS a tokenised program.
bool StartsWithCasMarker(std::span<const std::uint8_t> bytes);

// The image of the blocks, in order.
std::vector<std::uint8_t> CasImageOf(std::span<const TapeBlock> blocks);
// Appends one block to an image: padding, the marker, the bytes.
void AppendCasBlock(std::vector<std::uint8_t>& image, std::span<const std::uint8_t> block);

// What a reader met in an image that an image written by the book would not
// have. Offsets are byte offsets in the image.
struct CasImageIssue {
  enum class Kind {
    BytesBeforeFirstMarker,  // the image does not begin with a marker
    UnalignedMarker,         // a marker at an offset that is no multiple of 8
    CutMarker,               // the image ends inside what begins like a marker
  } kind;
  std::size_t offset;
};

struct CasImage {
  // Each block holds every byte from the end of its marker up to the next
  // marker or the end of the image, the padding included: only the blocks'
  // meaning tells where their data ends.
  std::vector<TapeBlock> blocks;
  std::vector<CasImageIssue> issues;
};

// Finds the markers: aligned ones first of all, and unaligned ones too,
// which some tools write, each reported.
CasImage ReadCasImage(std::span<const std::uint8_t> bytes);

// The issue as one line of text for the log.
std::string IssueText(const CasImageIssue& issue);

}  // namespace orvano::tape
