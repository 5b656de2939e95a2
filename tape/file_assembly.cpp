#include "tape/file_assembly.h"

#include <algorithm>
#include <array>

#include "basic/constant_operands.h"
#include "basic/keyword_index.h"
#include "common/byte_order.h"
#include "tape/tape_format.h"

namespace orvano::tape {
namespace {

// A header may lose a few of its type bytes to dropouts and still be known;
// a block whose first ten bytes agree this often by chance is not to be met.
constexpr std::size_t kAgreeingTypeBytes = 7;
static_assert(kAgreeingTypeBytes * 2 > kTypeByteCount, "two types cannot both have a majority");

struct KnownType {
  std::uint8_t byte;
  FileType type;
};
constexpr std::array<KnownType, 3> kKnownTypes{{
    {kBasicType, FileType::Basic},
    {kBinaryType, FileType::Binary},
    {kTextType, FileType::Text},
}};

struct Header {
  FileType type;
  std::size_t agreeing;
};

std::optional<Header> HeaderOf(const TapeBlock& block) {
  if (block.bytes.size() < kHeaderBytes) return std::nullopt;
  const auto type_bytes = std::span(block.bytes).first(kTypeByteCount);
  for (const KnownType& known : kKnownTypes) {
    const auto agreeing = static_cast<std::size_t>(std::count(type_bytes.begin(), type_bytes.end(), known.byte));
    if (agreeing >= kAgreeingTypeBytes) return Header{known.type, agreeing};
  }
  return std::nullopt;
}

// Where the program ends, after its zero link: the lines are followed from
// one to the next by their ends, as the computer rebuilds the links after
// CLOAD. None when the data ends first.
std::optional<std::size_t> ProgramEnd(std::span<const std::uint8_t> bytes) {
  std::size_t at = 0;
  for (;;) {
    if (at + 2 > bytes.size()) return std::nullopt;
    if ((bytes[at] | bytes[at + 1]) == 0) return at + 2;
    at += 4;  // the link and the line number
    for (;;) {
      if (at >= bytes.size()) return std::nullopt;
      const std::uint8_t code = bytes[at++];
      if (code == 0) break;
      // Constants carry operands, which may hold zeros that end no line, and
      // so does the prefix of a function.
      at += code == basic::kTokenPrefix ? 1 : basic::ConstantOperandBytes(code);
    }
  }
}

class Assembly {
 public:
  explicit Assembly(std::span<const TapeBlock> blocks) : blocks_(blocks) { layout_.blocks.resize(blocks.size()); }

  TapeLayout Run();

 private:
  bool DataFollows() const { return next_ < blocks_.size() && !HeaderOf(blocks_[next_]); }
  // `end` is where the computer stops reading the block.
  void Keep(std::size_t block, BlockUse::Part part, std::size_t end);
  void TakeErrors(std::size_t block, std::size_t end);
  void ReadBasic();
  void ReadBinary();
  void ReadText();
  void Problem(FileProblem::Kind kind, std::size_t block, std::size_t have = 0, std::size_t want = 0) {
    file_->problems.push_back({kind, block, have, want});
  }

  std::span<const TapeBlock> blocks_;
  TapeLayout layout_;
  std::size_t next_ = 0;  // the next block to look at
  TapeFile* file_ = nullptr;
};

TapeLayout Assembly::Run() {
  while (next_ < blocks_.size()) {
    const std::size_t block = next_++;
    const std::optional<Header> header = HeaderOf(blocks_[block]);
    if (!header) {
      layout_.blocks[block].kept = blocks_[block].bytes.size();
      continue;
    }
    const auto& bytes = blocks_[block].bytes;
    file_ = &layout_.files.emplace_back();
    file_->type = header->type;
    file_->header_block = block;
    file_->name.assign(bytes.begin() + kTypeByteCount, bytes.begin() + kHeaderBytes);
    if (header->agreeing < kTypeByteCount) Problem(FileProblem::Kind::HeaderDamaged, block, header->agreeing);
    Keep(block, BlockUse::Part::Header, kHeaderBytes);
    switch (header->type) {
      case FileType::Basic:
        ReadBasic();
        break;
      case FileType::Binary:
        ReadBinary();
        break;
      case FileType::Text:
        ReadText();
        break;
    }
    if (!file_->framing_errors.empty()) {
      Problem(FileProblem::Kind::FramingErrors, file_->header_block, file_->framing_errors.size());
    }
  }
  return std::move(layout_);
}

void Assembly::Keep(std::size_t block, BlockUse::Part part, std::size_t end) {
  BlockUse& use = layout_.blocks[block];
  use.part = part;
  use.file = layout_.files.size() - 1;
  const auto& bytes = blocks_[block].bytes;
  const bool junk = std::any_of(bytes.begin() + static_cast<std::ptrdiff_t>(end), bytes.end(),
                                [](std::uint8_t byte) { return byte != 0; });
  // Zeros after the end may be an image's padding or zeros the tape really
  // carries, and stay; anything else is what some encoders leave behind a
  // block, and is left out.
  use.kept = junk ? end : bytes.size();
  use.ignored = junk ? bytes.size() - end : 0;
  if (part == BlockUse::Part::Data) file_->data_blocks.push_back(block);
  TakeErrors(block, end);
}

// Only frames within the bytes that the computer reads count against the file.
void Assembly::TakeErrors(std::size_t block, std::size_t end) {
  const auto& signal = blocks_[block].signal;
  if (!signal) return;
  for (std::size_t i = 0; i < signal->framing_errors.size(); ++i) {
    const bool within = i >= signal->framing_error_bytes.size() || signal->framing_error_bytes[i] < end;
    if (within) file_->framing_errors.push_back(signal->framing_errors[i]);
  }
}

void Assembly::ReadBasic() {
  if (!DataFollows()) return Problem(FileProblem::Kind::DataMissing, file_->header_block);
  const std::size_t block = next_++;
  const auto& bytes = blocks_[block].bytes;
  file_->has_contents = true;
  const std::optional<std::size_t> end = ProgramEnd(bytes);
  if (!end) {
    Problem(FileProblem::Kind::NoProgramEnd, block);
    file_->contents = bytes;
    return Keep(block, BlockUse::Part::Data, bytes.size());
  }
  file_->contents.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(*end));
  // CSAVE writes seven zeros after the zero link: with the last line's end
  // and the link, the ten zeros that stop CLOAD.
  Keep(block, BlockUse::Part::Data, std::min(bytes.size(), *end + kBasicTrailerBytes - 3));
}

void Assembly::ReadBinary() {
  if (!DataFollows()) return Problem(FileProblem::Kind::DataMissing, file_->header_block);
  const std::size_t block = next_++;
  const auto& bytes = blocks_[block].bytes;
  if (bytes.size() < kAddressHeaderBytes) {
    Problem(FileProblem::Kind::AddressesCut, block, bytes.size(), kAddressHeaderBytes);
    return Keep(block, BlockUse::Part::Data, bytes.size());
  }
  const BinaryAddresses addresses{LoadLittle16(&bytes[0]), LoadLittle16(&bytes[2]), LoadLittle16(&bytes[4])};
  file_->addresses = addresses;
  if (addresses.end < addresses.load) {
    // No length can be told, so the block is kept whole as a block of no file.
    Problem(FileProblem::Kind::EndBelowLoad, block);
    layout_.blocks[block].kept = bytes.size();
    return;
  }
  const std::size_t want = static_cast<std::size_t>(addresses.end - addresses.load) + 1;
  const std::size_t have = std::min(want, bytes.size() - kAddressHeaderBytes);
  if (have < want) Problem(FileProblem::Kind::DataCut, block, have, want);
  file_->has_contents = true;
  const auto first = bytes.begin() + kAddressHeaderBytes;
  file_->contents.assign(first, first + static_cast<std::ptrdiff_t>(have));
  Keep(block, BlockUse::Part::Data, kAddressHeaderBytes + have);
}

void Assembly::ReadText() {
  if (!DataFollows()) return Problem(FileProblem::Kind::DataMissing, file_->header_block);
  file_->has_contents = true;
  while (DataFollows()) {
    const std::size_t block = next_++;
    const auto& bytes = blocks_[block].bytes;
    const std::size_t length = std::min(bytes.size(), kTextBlockBytes);
    const auto text = std::span(bytes).first(length);
    const auto end = std::find(text.begin(), text.end(), kTextEnd);
    file_->contents.insert(file_->contents.end(), text.begin(), end);
    Keep(block, BlockUse::Part::Data, length);
    if (end != text.end()) return;
    if (length < kTextBlockBytes) Problem(FileProblem::Kind::DataCut, block, length, kTextBlockBytes);
  }
  Problem(FileProblem::Kind::NoTextEnd, file_->data_blocks.back());
}

}  // namespace

FileStatus TapeFile::Status() const {
  FileStatus status = FileStatus::Complete;
  for (const FileProblem& problem : problems) {
    switch (problem.kind) {
      case FileProblem::Kind::HeaderDamaged:
      case FileProblem::Kind::FramingErrors:
      case FileProblem::Kind::EndBelowLoad:
        status = std::max(status, FileStatus::Damaged);
        break;
      default:
        return FileStatus::Incomplete;
    }
  }
  return status;
}

TapeLayout AssembleFiles(std::span<const TapeBlock> blocks) { return Assembly(blocks).Run(); }

}  // namespace orvano::tape
