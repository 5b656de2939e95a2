#include "tests/basic/program_bytes.h"

#include <sstream>

namespace orvano::testing {

Bytes ReadHexFile(const std::string& path) {
  Bytes bytes;
  std::istringstream lines(ReadText(path));
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream values(line.substr(0, line.find('#')));
    std::string value;
    while (values >> value) bytes.push_back(static_cast<std::uint8_t>(std::stoul(value, nullptr, 16)));
  }
  return bytes;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

ProgramBuilder& ProgramBuilder::Line(std::uint16_t number, const Bytes& text) {
  const auto next = static_cast<std::uint16_t>(base_ + bytes_.size() + 4 + text.size() + 1);
  bytes_.insert(bytes_.end(), {static_cast<std::uint8_t>(next & 0xFF), static_cast<std::uint8_t>(next >> 8),
                               static_cast<std::uint8_t>(number & 0xFF), static_cast<std::uint8_t>(number >> 8)});
  bytes_.insert(bytes_.end(), text.begin(), text.end());
  bytes_.push_back(0x00);
  return *this;
}

Bytes ProgramBuilder::End() const { return Join({bytes_, Bytes(9, 0x00)}); }

}  // namespace orvano::testing
