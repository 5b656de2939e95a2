#include "basic/basic_detokenizer.h"

#include <algorithm>
#include <vector>

#include "basic/line_decoder.h"
#include "basic/program_lister.h"
#include "common/file_stream.h"
#include "common/number_text.h"

namespace orvano::basic {
namespace {

static_assert(BasicDetokenizer::kMaxTextLength == kMaxLineText);
static_assert(BasicDetokenizer::kMaxRecordLength == RulesOf(Dialect::Korvet).max_record_length);

bool IsHealthyEnd(const ByteStream& source) {
  return source.Status() == StreamStatus::Ok || source.Status() == StreamStatus::ReadPastEnd;
}

ListResult Failure(ListStatus status, const ByteStream& stream) {
  return {status, stream.Status(), stream.SystemError(), {}};
}

}  // namespace

BasicDetokenizer::BasicDetokenizer(ByteStream* source, const std::string& file_name, DialectChoice dialect)
    : source_(source), dialect_(dialect) {
  if (source_ != nullptr || file_name.empty()) return;
  owned_source_ = std::make_unique<FileStream>(file_name, OpenMode::Read, kStreamBufferSize);
  source_ = owned_source_.get();
}

std::string BasicDetokenizer::HexByte(std::uint8_t value) { return Hex2(value); }

std::string BasicDetokenizer::OctWord(std::uint16_t value) { return OctalText(value); }

std::string BasicDetokenizer::DecodeLine() {
  if (source_ == nullptr) return {};
  LineFindings findings;
  const Dialect dialect = dialect_ == DialectChoice::Msx ? Dialect::Msx : Dialect::Korvet;
  StreamReader reader(*source_);
  return DecodeTokenLine(reader, RulesOf(dialect), nullptr, findings);
}

ProgramListing BasicDetokenizer::ListTo(ByteStream& output) {
  if (source_ == nullptr) return {};
  ByteStream& source = *source_;
  source.Seek(0);
  const bool too_large = source.Size() > kMaxProgramSize;
  std::vector<std::uint8_t> program(static_cast<std::size_t>(std::min<std::uint64_t>(source.Size(), kMaxProgramSize)));
  source.Read(program);
  ProgramListing listing = ListRecords(program, dialect_, [&output](std::string_view record) {
    output.Write({reinterpret_cast<const std::uint8_t*>(record.data()), record.size()});
    return !output.Failed();
  });
  if (too_large) {
    listing.problems.push_back("only the first " + Decimal(kMaxProgramSize >> 20) + " MB of the file are listed");
  }
  return listing;
}

ListResult BasicDetokenizer::ListToFile(const std::string& file_name) {
  if (source_ == nullptr) return {ListStatus::SourceFailed, StreamStatus::Ok, 0, {}};
  if (source_->Failed()) return Failure(ListStatus::SourceFailed, *source_);
  FileStream output(file_name, OpenMode::Create, kStreamBufferSize);
  if (output.Failed()) return Failure(ListStatus::CreateFailed, output);
  ProgramListing listing = ListTo(output);
  if (output.Failed()) return Failure(ListStatus::WriteFailed, output);
  // A read the system refused is no end of the program: the listing would
  // be short without a word, so it does not replace the earlier one.
  if (!IsHealthyEnd(*source_)) return Failure(ListStatus::SourceFailed, *source_);
  output.Release();
  if (output.Failed()) return Failure(ListStatus::WriteFailed, output);
  return {ListStatus::Written, StreamStatus::Ok, 0, std::move(listing)};
}

}  // namespace orvano::basic
