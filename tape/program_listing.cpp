#include "tape/program_listing.h"

#include <vector>

#include "tape/tape_format.h"

namespace orvano::tape {

basic::ProgramListing ListTapeProgram(std::span<const std::uint8_t> program, DialectChoice dialect) {
  // The lister takes a leading 0xFF for the mark of a program saved to
  // disk. The tape has none, so one is put in front: a first link word
  // whose low byte is 0xFF must not be taken for it.
  std::vector<std::uint8_t> source;
  source.reserve(program.size() + 1);
  source.push_back(kDiskBasicMarker);
  source.insert(source.end(), program.begin(), program.end());
  return basic::ListProgram(source, dialect);
}

}  // namespace orvano::tape
