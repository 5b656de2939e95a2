#include "basic/basic_detokenizer.h"

#include <array>
#include <charconv>
#include <optional>
#include <string_view>

#include "basic/mbf.h"
#include "basic/number_format.h"
#include "basic/token_tables.h"
#include "common/file_stream.h"
#include "common/number_text.h"

namespace orvano::basic {
namespace {

constexpr std::uint8_t kEndOfLine = 0x00;
constexpr std::uint8_t kOctalConstant = 0x0B;
constexpr std::uint8_t kHexConstant = 0x0C;
// A line number after GOTO, THEN and the like: 0x0E as typed, 0x0D once the
// interpreter has turned it into a pointer; both list as the number.
constexpr std::uint8_t kLinePointer = 0x0D;
constexpr std::uint8_t kLineNumber = 0x0E;
constexpr std::uint8_t kByteConstant = 0x0F;
constexpr std::uint8_t kSmallZero = 0x11;
constexpr std::uint8_t kSmallTen = 0x1B;
constexpr std::uint8_t kIntegerConstant = 0x1C;
constexpr std::uint8_t kSingleConstant = 0x1D;
constexpr std::uint8_t kDoubleConstant = 0x1F;
constexpr std::uint8_t kQuote = '"';
constexpr std::uint8_t kColon = ':';
constexpr std::uint8_t kDataToken = 0x84;
constexpr std::uint8_t kRemToken = 0x8F;
constexpr std::uint8_t kElseToken = 0xA2;
constexpr std::uint8_t kDiskFileMarker = 0xFF;

// What a prefixed code without a keyword is listed as, before the code
// itself: "two-byte token" in Russian, in code page 866.
constexpr std::string_view kTwoByteTokenText =
    "\x84\x82\x93\x95\x81\x80\x89\x92\x8E\x82\x9B\x89\x20\x92\x8E\x8A\x85\x8D\x20";
static_assert(kTwoByteTokenText.size() == 19);

// The text of one line, cut at kMaxTextLength: appending beyond it drops.
class LineText {
 public:
  LineText() { text_.reserve(BasicDetokenizer::kMaxTextLength); }

  void Append(std::uint8_t byte) {
    if (text_.size() < BasicDetokenizer::kMaxTextLength) text_.push_back(static_cast<char>(byte));
  }
  void Append(std::string_view text) {
    text_.append(text.substr(0, BasicDetokenizer::kMaxTextLength - text_.size()));
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

std::uint16_t ReadWord(ByteStream& source) {
  std::array<std::uint8_t, 2> bytes{};
  source.Read(bytes);
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::string SignedDecimal(std::int16_t value) {
  std::array<char, 8> digits{};
  return {digits.data(), std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr};
}

bool IsHealthyEnd(const ByteStream& source) {
  return source.Status() == StreamStatus::Ok || source.Status() == StreamStatus::ReadPastEnd;
}

ListResult Failure(ListStatus status, const ByteStream& stream) {
  return {status, stream.Status(), stream.SystemError()};
}

}  // namespace

BasicDetokenizer::BasicDetokenizer(ByteStream* source, const std::string& file_name) : source_(source) {
  if (source_ != nullptr || file_name.empty()) return;
  owned_source_ = std::make_unique<FileStream>(file_name, OpenMode::Read, kStreamBufferSize);
  source_ = owned_source_.get();
}

std::string BasicDetokenizer::HexByte(std::uint8_t value) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::string BasicDetokenizer::OctWord(std::uint16_t value) {
  std::array<char, 6> digits{};
  std::size_t start = digits.size();
  do {
    digits[--start] = static_cast<char>('0' + value % 8);
    value = static_cast<std::uint16_t>(value / 8);
  } while (value != 0);
  return {digits.data() + start, digits.size() - start};
}

std::string BasicDetokenizer::DecodeLine() {
  LineText text;
  if (source_ == nullptr) return text.Take();
  ByteStream& source = *source_;
  // A byte that one rule read ahead and hands to the next round; never 0x00.
  std::optional<std::uint8_t> pushed_back;
  bool more = true;
  while (more) {
    std::uint8_t code = 0;
    if (pushed_back) {
      code = *pushed_back;
      pushed_back.reset();
    } else {
      code = source.ReadByte();
    }

    if (code >= kSmallZero && code <= kSmallTen) {
      text.Append(Decimal(static_cast<std::uint64_t>(code - kSmallZero)));
      continue;
    }
    switch (code) {
      case kEndOfLine:
        more = false;
        break;
      case kOctalConstant:
        text.Append("&O");
        text.Append(OctWord(ReadWord(source)));
        break;
      case kHexConstant: {
        // Read one byte at a time, so that a constant cut short after its
        // low byte keeps that byte.
        const std::uint8_t low = source.ReadByte();
        const std::uint8_t high = source.ReadByte();
        text.Append("&H");
        if (high != 0) text.Append(HexByte(high));
        text.Append(HexByte(low));
        break;
      }
      case kLinePointer:
      case kLineNumber:
        text.Append(Decimal(ReadWord(source)));
        break;
      case kByteConstant:
        text.Append(Decimal(source.ReadByte()));
        break;
      case kIntegerConstant:
        text.Append(SignedDecimal(static_cast<std::int16_t>(ReadWord(source))));
        break;
      case kSingleConstant: {
        std::array<std::uint8_t, 4> bytes{};
        source.Read(bytes);
        text.Append(SingleConstantText(MbfSingleToIeee(bytes)));
        break;
      }
      case kDoubleConstant: {
        std::array<std::uint8_t, 8> bytes{};
        source.Read(bytes);
        text.Append(DoubleConstantText(MbfDoubleToIeee(bytes)));
        break;
      }
      case kQuote:
        text.Append(code);
        for (;;) {
          const std::uint8_t c = source.ReadByte();
          if (c == kEndOfLine) {
            more = false;  // the line ends inside the string
            break;
          }
          text.Append(c);
          if (c == kQuote) break;
        }
        break;
      case kColon: {
        // The tokeniser stores a colon before every ELSE; the listing shows
        // the ELSE alone, as it was typed.
        const std::uint8_t next = source.ReadByte();
        if (next == kElseToken) {
          text.Append(OneByteKeyword(kElseToken));
        } else {
          text.Append(kColon);
          if (next == kEndOfLine) {
            more = false;
          } else {
            pushed_back = next;
          }
        }
        break;
      }
      case kDataToken: {
        // DATA items are copied as they stand, tokens included, up to a colon
        // outside quotation marks, which is left for the colon rule.
        text.Append(OneByteKeyword(kDataToken));
        bool in_quotes = false;
        for (;;) {
          const std::uint8_t c = source.ReadByte();
          if (c == kEndOfLine) {
            more = false;
            break;
          }
          if (c == kColon && !in_quotes) {
            pushed_back = c;
            break;
          }
          text.Append(c);
          if (c == kQuote) in_quotes = !in_quotes;
        }
        break;
      }
      case kRemToken:
        text.Append(OneByteKeyword(kRemToken));
        for (std::uint8_t c = source.ReadByte(); c != kEndOfLine; c = source.ReadByte()) text.Append(c);
        more = false;
        break;
      case kTokenPrefix: {
        // The byte after the prefix is taken even when it is 0x00, which
        // then does not end the line.
        const std::uint8_t function = source.ReadByte();
        const std::string_view keyword = PrefixedKeyword(function);
        if (keyword.empty()) {
          text.Append(kTwoByteTokenText);
          text.Append(function);
        } else {
          text.Append(keyword);
        }
        break;
      }
      default: {
        const std::string_view keyword = OneByteKeyword(code);
        if (keyword.empty()) {
          text.Append(code);
        } else {
          text.Append(keyword);
        }
        break;
      }
    }
  }
  return text.Take();
}

void BasicDetokenizer::ListTo(ByteStream& output) {
  if (source_ == nullptr) return;
  ByteStream& source = *source_;
  const std::uint64_t size = source.Size();
  source.Seek(0);
  const std::uint64_t start = source.Position();
  if (source.ReadByte() != kDiskFileMarker) source.Seek(start);

  std::string record;
  record.reserve(kMaxRecordLength);
  do {
    if (ReadWord(source) == 0) break;  // the link word: 0 ends the program
    const std::uint16_t line_number = ReadWord(source);
    record.clear();
    record += Decimal(line_number);
    record += ' ';
    record += DecodeLine();
    if (record.size() > kMaxRecordLength - 2) record.resize(kMaxRecordLength - 2);
    record += "\r\n";
    output.Write({reinterpret_cast<const std::uint8_t*>(record.data()), record.size()});
  } while (source.Position() < size && !output.Failed());
}

ListResult BasicDetokenizer::ListToFile(const std::string& file_name) {
  if (source_ == nullptr) return {ListStatus::SourceFailed};
  if (source_->Failed()) return Failure(ListStatus::SourceFailed, *source_);
  FileStream output(file_name, OpenMode::Create, kStreamBufferSize);
  if (output.Failed()) return Failure(ListStatus::CreateFailed, output);
  ListTo(output);
  if (output.Failed()) return Failure(ListStatus::WriteFailed, output);
  // A read the system refused is no end of the program: the listing would
  // be short without a word, so it does not replace the earlier one.
  if (!IsHealthyEnd(*source_)) return Failure(ListStatus::SourceFailed, *source_);
  output.Release();
  if (output.Failed()) return Failure(ListStatus::WriteFailed, output);
  return {};
}

}  // namespace orvano::basic
