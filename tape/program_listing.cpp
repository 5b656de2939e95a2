#include "tape/program_listing.h"

#include "basic/basic_detokenizer.h"
#include "common/memory_stream.h"
#include "tape/tape_format.h"

namespace orvano::tape {

std::vector<std::uint8_t> ListProgram(std::span<const std::uint8_t> program, DialectChoice) {
  // The lister skips a leading 0xFF, the mark of a program saved to disk.
  // The tape has none, so it is put in front: a first link word whose low
  // byte is 0xFF must not be taken for it.
  std::vector<std::uint8_t> source;
  source.reserve(program.size() + 1);
  source.push_back(kDiskBasicMarker);
  source.insert(source.end(), program.begin(), program.end());
  MemoryStream input(std::move(source));
  MemoryStream listing;
  basic::BasicDetokenizer(&input, "").ListTo(listing);
  return listing.Bytes();
}

}  // namespace orvano::tape
