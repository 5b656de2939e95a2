#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace orvano::basic {

// One line record of a program, as the lister found it.
struct ProgramLine {
  std::size_t offset = 0;  // of its link word, from the start of the program
  std::size_t end = 0;     // right after its 0x00
  std::uint16_t link = 0;
  std::uint16_t number = 0;
  bool complete = false;  // its 0x00 is in the data
};

// The address in memory that the program's first byte had, as its links
// tell: the 0x0D line pointers are addresses, and each link word is the
// address of the next line.
class LineAddressMap {
 public:
  LineAddressMap(std::span<const std::uint8_t> program, std::span<const ProgramLine> lines);

  // The base that most complete lines agree on; the usual 0x8001 on a tie
  // that includes it, and when nothing tells.
  std::uint16_t Base() const { return base_; }
  // How many lines have links that agree with the base.
  int Agreeing() const { return agreeing_; }

  // The address of an offset in the program, modulo 64 KB.
  std::uint16_t AddressOf(std::size_t offset) const;

  struct Target {
    std::uint16_t number = 0;  // what the listing shows for the pointer
    bool at_line = false;      // it points at the 0x00 right before a line
  };
  // LIST prints the word three bytes after the pointer, which is the number
  // of the line behind that 0x00. A pointer whose word lies outside the
  // program gives its own value, since that memory is unknown.
  Target Resolve(std::uint16_t address) const;

 private:
  std::span<const std::uint8_t> program_;
  std::vector<std::size_t> line_offsets_;
  std::uint16_t base_ = 0x8001;
  int agreeing_ = 0;
};

}  // namespace orvano::basic
