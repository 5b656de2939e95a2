#include "encode/tape_file_blocks.h"

#include <algorithm>

#include "tape/cas_image.h"
#include "tape/tape_format.h"

namespace orvano::encode {
namespace {

Block HeaderBlock(std::uint8_t type, std::string_view tape_name) {
  Block header(tape::kTypeByteCount, type);
  for (std::size_t i = 0; i < tape::kTapeNameBytes; ++i) {
    header.push_back(i < tape_name.size() ? static_cast<std::uint8_t>(tape_name[i]) : std::uint8_t{' '});
  }
  return header;
}

void AppendWord(Block& block, std::uint16_t word) {
  block.push_back(static_cast<std::uint8_t>(word & 0xFFu));
  block.push_back(static_cast<std::uint8_t>(word >> 8));
}

Block BinaryData(std::span<const std::uint8_t> image, const ConversionOptions& options) {
  Block data;
  data.reserve(tape::kAddressHeaderBytes + image.size());
  AppendWord(data, options.LoadAddr);
  AppendWord(data, static_cast<std::uint16_t>(options.LoadAddr + image.size() - 1));
  AppendWord(data, options.StartAddr);
  data.insert(data.end(), image.begin(), image.end());
  return data;
}

Block BasicData(std::span<const std::uint8_t> program) {
  if (!program.empty() && program.front() == tape::kDiskBasicMarker) program = program.subspan(1);
  Block data(program.begin(), program.end());
  data.resize(data.size() + tape::kBasicTrailerBytes, 0x00);
  return data;
}

std::vector<Block> TextData(std::span<const std::uint8_t> text) {
  std::vector<Block> blocks;
  for (std::size_t offset = 0; offset < text.size(); offset += tape::kTextBlockBytes) {
    const auto part = text.subspan(offset, std::min(tape::kTextBlockBytes, text.size() - offset));
    blocks.emplace_back(part.begin(), part.end());
  }
  if (blocks.empty() || blocks.back().size() == tape::kTextBlockBytes) blocks.emplace_back();
  blocks.back().resize(tape::kTextBlockBytes, tape::kTextEnd);
  return blocks;
}

}  // namespace

std::vector<Block> TapeFileBlocks(SourceKind kind, std::string_view tape_name, std::span<const std::uint8_t> source,
                                  const ConversionOptions& options) {
  switch (kind) {
    case SourceKind::Binary:
    case SourceKind::Command:
      return {HeaderBlock(tape::kBinaryType, tape_name), BinaryData(source, options)};
    case SourceKind::Basic:
      return {HeaderBlock(tape::kBasicType, tape_name), BasicData(source)};
    case SourceKind::Text: {
      std::vector<Block> blocks{HeaderBlock(tape::kTextType, tape_name)};
      for (Block& block : TextData(source)) blocks.push_back(std::move(block));
      return blocks;
    }
    case SourceKind::None:
      break;
  }
  return {};
}

std::vector<std::uint8_t> ImageOfBlocks(std::span<const Block> blocks) {
  std::vector<std::uint8_t> image;
  for (const Block& block : blocks) tape::AppendCasBlock(image, block);
  const tape::CasImage read = tape::ReadCasImage(image);
  const bool cut_marker = std::any_of(read.issues.begin(), read.issues.end(), [](const tape::CasImageIssue& issue) {
    return issue.kind == tape::CasImageIssue::Kind::CutMarker;
  });
  if (cut_marker) image.resize((image.size() + tape::kCasAlignment - 1) / tape::kCasAlignment * tape::kCasAlignment);
  return image;
}

}  // namespace orvano::encode
