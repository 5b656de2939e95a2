#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "tests/support/temp_dir.h"

namespace orvano::testing {

// The bytes of a .hex file: hexadecimal byte values between blanks, "#" to
// the end of a line a comment.
Bytes ReadHexFile(const std::string& path);

Bytes Join(std::initializer_list<Bytes> parts);

// A program built line by line with correct link words, as a computer
// whose program starts at `base` would save it.
class ProgramBuilder {
 public:
  explicit ProgramBuilder(std::uint16_t base = 0x8001) : base_(base) {}
  ProgramBuilder& Line(std::uint16_t number, const Bytes& text);
  // The zero link word and the zeros that close a tape block.
  Bytes End() const;
  // Without the zero link word.
  const Bytes& Unfinished() const { return bytes_; }

 private:
  std::uint16_t base_;
  Bytes bytes_;
};

}  // namespace orvano::testing
