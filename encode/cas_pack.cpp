#include "encode/cas_pack.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "common/file_names.h"
#include "common/file_stream.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "encode/conversion_texts.h"
#include "encode/image_signal.h"
#include "encode/source_kind.h"
#include "encode/tape_file_blocks.h"
#include "encode/tape_file_kind.h"
#include "tape/cas_image.h"
#include "tape/tape_format.h"

namespace orvano::encode {
namespace {

struct PackedFile {
  std::string source_name;
  SourceKind kind;
  std::vector<std::uint8_t> bytes;
};

std::string NotOnTapeText(std::string_view source_name) {
  return "File: " + std::string(source_name) +
         " is not a file to put on tape (.BIN, .COM, .CAS, .TXT, .BAS, .PAS or .DOC)";
}

// The source's bytes, or nothing after its failure is in the log.
std::optional<PackedFile> ReadSource(const std::string& source_name, Reporter& reporter) {
  Log(reporter, "Reading file " + source_name);
  const SourceKind kind = KindOfExtension(ExtOf(UpperCaseFileName(source_name)));
  if (kind == SourceKind::None) {
    Log(reporter, NotOnTapeText(source_name));
    return std::nullopt;
  }
  FileStream source(source_name, OpenMode::Read);
  if (source.Failed()) {
    Log(reporter, OpenFailedText(source_name));
    return std::nullopt;
  }
  if (source.Size() == 0) {
    Log(reporter, EmptyText(source_name));
    return std::nullopt;
  }
  if (source.Size() > kMaxImageBytes) {
    Log(reporter, ImageTooLargeText(source_name));
    return std::nullopt;
  }
  PackedFile file{source_name, kind, std::vector<std::uint8_t>(static_cast<std::size_t>(source.Size()))};
  source.Read(file.bytes);
  source.Release();
  if (source.Failed()) {
    Log(reporter, ReadFailedText(source_name, source));
    return std::nullopt;
  }
  if (kind == SourceKind::Basic && tape::StartsWithCasMarker(file.bytes)) {
    Log(reporter, "File: " + source_name + " is a tape image, not a tokenised program");
    return std::nullopt;
  }
  return file;
}

std::string FileLine(const PackedFile& file, const std::vector<Block>& blocks, const ConversionOptions& options) {
  const Block& header = blocks.front();
  std::string line = "Add " + std::string(KindName(header.front())) + " [" + HeaderName(header) + "]: " +
                     Decimal(file.bytes.size()) + " bytes";
  if (header.front() == tape::kBinaryType) {
    const auto end = static_cast<std::uint16_t>(options.LoadAddr + file.bytes.size() - 1);
    line += ", load " + AddressText(options.LoadAddr) + ", end " + AddressText(end) + ", start " +
            AddressText(options.StartAddr);
  }
  if (header.front() == tape::kTextType) line += " in " + Decimal(blocks.size() - 1) + " blocks";
  return line;
}

// What the computer or a reader of the image would take otherwise than meant.
void WarnAboutFile(const PackedFile& file, const std::vector<Block>& blocks, const ConversionOptions& options,
                   Reporter& reporter) {
  const std::string name = "[" + HeaderName(blocks.front()) + "]";
  if (blocks.front().front() == tape::kBinaryType && options.LoadAddr + file.bytes.size() > 0x10000) {
    Warn(reporter, "The binary file " + name + " does not fit below 64 KB from " + AddressText(options.LoadAddr) +
                       ": its end address wraps around");
  }
  const bool holds_marker = std::any_of(blocks.begin() + 1, blocks.end(), [](const Block& block) {
    return std::search(block.begin(), block.end(), tape::kCasMarker.begin(), tape::kCasMarker.end()) != block.end();
  });
  if (holds_marker) {
    Warn(reporter, "The data of " + name + " holds the block marker: a reader of the image splits the block there");
  }
}

}  // namespace

Outcome PackCasImage(const std::string& output, std::span<const std::string> sources,
                     const ConversionOptions& options, const std::optional<std::string>& tape_name,
                     Reporter& reporter) {
  if (sources.empty()) {
    Log(reporter, "No file to put into the tape image " + output);
    return Outcome::Failure;
  }
  if (tape_name && sources.size() > 1) {
    Log(reporter, "A tape name can be given for a single file only, not for " + Decimal(sources.size()));
    return Outcome::Failure;
  }
  std::vector<PackedFile> files;
  for (const std::string& source_name : sources) {
    if (std::optional<PackedFile> file = ReadSource(source_name, reporter)) files.push_back(std::move(*file));
  }
  if (files.size() != sources.size()) {
    Log(reporter, "Nothing is written to " + output);
    return Outcome::Failure;
  }

  std::vector<Block> blocks;
  for (const PackedFile& file : files) {
    std::string name;
    if (tape_name) {
      name = *tape_name;
      name.resize(kTapeNameLength, ' ');
    } else {
      const TapeNameChoice choice = ChooseTapeName(UpperCaseFileName(file.source_name));
      WarnAboutTapeName(choice, NameOf(file.source_name), reporter);
      name = choice.name;
    }
    std::vector<Block> file_blocks = TapeFileBlocks(file.kind, name, file.bytes, options);
    Log(reporter, FileLine(file, file_blocks, options));
    WarnAboutFile(file, file_blocks, options, reporter);
    std::move(file_blocks.begin(), file_blocks.end(), std::back_inserter(blocks));
  }
  const std::vector<std::uint8_t> image = ImageOfBlocks(blocks);
  if (image.size() > kMaxImageBytes) {
    Log(reporter, ImageTooLargeText(output));
    return Outcome::Failure;
  }

  for (const PackedFile& file : files) {
    if (SameFile(file.source_name, output)) {
      Log(reporter, SameFileText(output));
      return Outcome::Failure;
    }
  }
  FileStream out(output, OpenMode::Create);
  if (out.Failed()) {
    Log(reporter, CreateFailedText(output));
    return Outcome::Failure;
  }
  out.Write(image);
  out.Release();
  if (out.Failed()) {
    Log(reporter, WriteFailedText(output, out));
    return Outcome::Failure;
  }
  Log(reporter, "Tape image " + output + ": " + Decimal(files.size()) + (files.size() == 1 ? " file, " : " files, ") +
                    Decimal(blocks.size()) + " blocks, " + Decimal(image.size()) + " bytes");
  Log(reporter, "Sucessfully!!!");
  return Outcome::Success;
}

}  // namespace orvano::encode
