#pragma once

#include <cstddef>
#include <cstdint>

namespace orvano::basic {

// The operand bytes that follow a constant code of a tokenised line, in
// every dialect: octal, hex, line pointer, line number and integer two, the
// one-byte integer one, a single four, a double eight; 0 for any other code.
constexpr std::size_t ConstantOperandBytes(std::uint8_t code) {
  switch (code) {
    case 0x0B:
    case 0x0C:
    case 0x0D:
    case 0x0E:
    case 0x1C:
      return 2;
    case 0x0F:
      return 1;
    case 0x1D:
      return 4;
    case 0x1F:
      return 8;
    default:
      return 0;
  }
}

}  // namespace orvano::basic
