#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "tape/tape_block.h"

namespace orvano::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes BytesOfText(std::string_view text) { return Bytes(text.begin(), text.end()); }

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

inline tape::TapeBlock Block(Bytes bytes) { return {std::move(bytes), {}}; }

// The blocks of tape files as the computer writes them.
inline Bytes HeaderBytes(std::uint8_t type, std::string_view name) {
  Bytes bytes(10, type);
  std::string padded(name);
  padded.resize(6, ' ');
  return Join({bytes, BytesOfText(padded)});
}
// One line "10 PRINT" with its link, then the zero link and seven zeros.
inline Bytes ProgramBytes() { return {0x09, 0x80, 0x0A, 0x00, 0x91, 0x00, 0x00, 0x00}; }
inline Bytes BasicData(const Bytes& program) { return Join({program, Bytes(7, 0)}); }
inline Bytes BinaryData(std::uint16_t load, std::uint16_t end, std::uint16_t exec, const Bytes& image) {
  const auto lo = [](std::uint16_t w) { return static_cast<std::uint8_t>(w & 0xFF); };
  const auto hi = [](std::uint16_t w) { return static_cast<std::uint8_t>(w >> 8); };
  return Join({{lo(load), hi(load), lo(end), hi(end), lo(exec), hi(exec)}, image});
}
// The text and its 0x1A in 256-byte blocks, the last one filled with 0x1A.
inline std::vector<Bytes> TextData(std::string_view text) {
  Bytes all = BytesOfText(text);
  all.push_back(0x1A);
  all.resize((all.size() + 255) / 256 * 256, 0x1A);
  std::vector<Bytes> blocks;
  for (std::size_t at = 0; at < all.size(); at += 256) blocks.emplace_back(all.begin() + at, all.begin() + at + 256);
  return blocks;
}

}  // namespace orvano::testing
