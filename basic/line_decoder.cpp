#include "basic/line_decoder.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "basic/bcd.h"
#include "basic/mbf.h"
#include "basic/number_format.h"
#include "common/number_text.h"

namespace orvano::basic {
namespace {

constexpr std::uint8_t kEndOfLine = 0x00;
constexpr std::uint8_t kOctalConstant = 0x0B;
constexpr std::uint8_t kHexConstant = 0x0C;
// A line number after GOTO, THEN and the like: 0x0E as typed, 0x0D once the
// interpreter has turned it into a pointer.
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
constexpr std::uint8_t kFirstToken = 0x80;

// What a prefixed code without a keyword is listed as in Korvet BASIC, before
// the code itself: "two-byte token" in Russian, in code page 866.
constexpr std::string_view kTwoByteTokenText =
    "\x84\x82\x93\x95\x81\x80\x89\x92\x8E\x82\x9B\x89\x20\x92\x8E\x8A\x85\x8D\x20";
static_assert(kTwoByteTokenText.size() == 19);

// How the tokeniser writes an apostrophe comment, and LIST shows it.
constexpr std::string_view kStoredApostrophe = ":REM";

// 0x10 and 0x1E sit among the constant codes but carry no number: LIST
// shows whatever constant it unpacked last for them, which a listing cannot
// know, so they are copied.
bool IsConstantCode(std::uint8_t code) {
  return code >= kOctalConstant && code <= kDoubleConstant && code != 0x10 && code != 0x1E;
}

// The text of one line, cut at kMaxLineText: appending beyond it drops.
class LineText {
 public:
  LineText() { text_.reserve(kMaxLineText); }

  // Whether the byte was kept.
  bool Append(std::uint8_t byte) {
    if (text_.size() >= kMaxLineText) {
      cut_ = true;
      return false;
    }
    text_.push_back(static_cast<char>(byte));
    return true;
  }
  void Append(std::string_view text) {
    const std::size_t room = kMaxLineText - text_.size();
    if (text.size() > room) cut_ = true;
    text_.append(text.substr(0, room));
  }
  void DropLast(std::size_t count) { text_.resize(text_.size() - std::min(count, text_.size())); }
  bool Empty() const { return text_.empty(); }
  bool EndsWith(std::string_view tail) const { return text_.ends_with(tail); }
  bool Cut() const { return cut_; }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
  bool cut_ = false;
};

template <typename Reader>
std::uint16_t ReadWord(Reader& source) {
  std::array<std::uint8_t, 2> bytes{};
  source.Read(bytes);
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::string SignedDecimal(std::int16_t value) {
  std::array<char, 8> digits{};
  return {digits.data(), std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr};
}

// Upper-case hexadecimal digits without leading zeros, "0" for 0.
std::string HexWordText(std::uint16_t value) {
  const std::string text = Hex4(value);
  return text.substr(std::min(text.find_first_not_of('0'), text.size() - 1));
}

std::string CodeText(std::uint8_t code) { return "0x" + Hex2(code); }

// A code without keyword; the prefix 0xFF before it when it is a function's.
void NoteUnknown(LineFindings& findings, std::uint8_t code, bool prefixed = false) {
  if (findings.unknown_tokens++ > 0) return;
  findings.first_unknown = prefixed ? CodeText(kTokenPrefix) + " " + CodeText(code) : CodeText(code);
}

template <typename Reader>
std::string FloatText(Reader& source, std::uint8_t code, const DialectRules& rules) {
  if (code == kSingleConstant) {
    std::array<std::uint8_t, 4> bytes{};
    source.Read(bytes);
    return rules.floats == FloatEncoding::DecimalBcd ? BcdConstantText(bytes)
                                                     : SingleConstantText(MbfSingleToIeee(bytes));
  }
  std::array<std::uint8_t, 8> bytes{};
  source.Read(bytes);
  return rules.floats == FloatEncoding::DecimalBcd ? BcdConstantText(bytes)
                                                   : DoubleConstantText(MbfDoubleToIeee(bytes));
}

template <typename Reader>
std::string ConstantText(Reader& source, std::uint8_t code, const DialectRules& rules, const LineAddressMap* addresses,
                         LineFindings& findings) {
  if (code >= kSmallZero && code <= kSmallTen) return Decimal(static_cast<std::uint64_t>(code - kSmallZero));
  switch (code) {
    case kOctalConstant:
      return "&O" + OctalText(ReadWord(source));
    case kHexConstant: {
      // One byte at a time, so that a constant cut short after its low byte
      // keeps that byte.
      const std::uint8_t low = source.Byte();
      const std::uint8_t high = source.Byte();
      if (rules.hex == HexDigits::NoLeadingZeros)
        return "&H" + HexWordText(static_cast<std::uint16_t>(low | (high << 8)));
      return "&H" + (high != 0 ? Hex2(high) : std::string()) + Hex2(low);
    }
    case kLinePointer: {
      const std::uint16_t pointer = ReadWord(source);
      if (!rules.line_pointers_are_addresses || addresses == nullptr) return Decimal(pointer);
      const LineAddressMap::Target target = addresses->Resolve(pointer);
      if (!target.at_line && findings.stray_pointers++ == 0) findings.first_stray_pointer = pointer;
      return Decimal(target.number);
    }
    case kLineNumber:
      return Decimal(ReadWord(source));
    case kByteConstant:
      return Decimal(source.Byte());
    case kIntegerConstant:
      return SignedDecimal(static_cast<std::int16_t>(ReadWord(source)));
    default:
      return FloatText(source, code, rules);
  }
}

// The ELSE token and what it takes away before itself.
void AppendElse(LineText& text, const DialectRules& rules, bool after_kept_colon) {
  const std::string_view keyword = (*rules.one_byte)[rules.else_token];
  if (rules.else_cut == ElseCut::StoredColon) {
    if (after_kept_colon) text.DropLast(1);
    text.Append(keyword);
  } else if (text.Empty()) {
    // The interpreter steps back over the start of its buffer, so that the
    // first letter lands outside what it prints.
    text.Append(keyword.substr(1));
  } else {
    text.DropLast(1);
    text.Append(keyword);
  }
}

// A function after the prefix 0xFF. Whether the line ended at its code.
template <typename Reader>
bool AppendFunction(Reader& source, LineText& text, const DialectRules& rules, LineFindings& findings) {
  const std::uint8_t code = source.Byte();
  if (code == kEndOfLine && !rules.prefix_takes_line_end) {
    NoteUnknown(findings, kTokenPrefix);
    text.Append(kTokenPrefix);
    return true;
  }
  const std::string_view keyword = (*rules.prefixed)[code];
  if (!keyword.empty()) {
    text.Append(keyword);
    return false;
  }
  NoteUnknown(findings, code, true);
  if (rules.unknown_function == UnknownFunction::NamedTwoByteToken) {
    text.Append(kTwoByteTokenText);
  } else {
    text.Append(kTokenPrefix);
  }
  text.Append(code);
  return false;
}

}  // namespace

std::string OctalText(std::uint16_t value) {
  std::array<char, 6> digits{};
  return {digits.data(), std::to_chars(digits.data(), digits.data() + digits.size(), value, 8).ptr};
}

template <typename Reader>
std::string DecodeTokenLine(Reader& source, const DialectRules& rules, const LineAddressMap* addresses,
                            LineFindings& findings) {
  LineText text;
  // Inside a string, REM text or DATA items, keywords are not unpacked.
  bool in_string = false;
  bool in_rem = false;
  bool in_data = false;
  // The byte before was a colon outside quoted text, and it is in the text.
  bool kept_colon = false;
  for (;;) {
    const std::uint8_t code = source.Byte();
    if (code == kEndOfLine) break;
    const bool after_kept_colon = kept_colon;
    kept_colon = false;

    if (IsConstantCode(code) && (rules.constants_in_quoted_text || !(in_string || in_rem || in_data))) {
      const bool was_whole = !source.Failed();
      text.Append(ConstantText(source, code, rules, addresses, findings));
      if (was_whole && source.Failed()) findings.constant_cut_off = true;
      continue;
    }
    if (code == kQuote) {
      in_string = !in_string;
      text.Append(code);
      continue;
    }
    if (in_string) {
      text.Append(code);
      continue;
    }
    if (in_rem) {
      if (rules.apostrophe_token != 0 && code == rules.apostrophe_token && text.EndsWith(kStoredApostrophe)) {
        text.DropLast(kStoredApostrophe.size());
        text.Append((*rules.one_byte)[code]);
      } else {
        text.Append(code);
      }
      continue;
    }
    if (code == kColon) {
      in_data = false;
      kept_colon = text.Append(code);
      continue;
    }
    if (in_data || code < kFirstToken) {
      text.Append(code);
      continue;
    }
    if (code == kTokenPrefix) {
      if (AppendFunction(source, text, rules, findings)) break;
      continue;
    }
    const std::string_view keyword = (*rules.one_byte)[code];
    if (keyword.empty()) {
      NoteUnknown(findings, code);
      text.Append(code);
    } else if (code == rules.else_token) {
      AppendElse(text, rules, after_kept_colon);
    } else {
      text.Append(keyword);
      if (code == kDataToken) in_data = true;
      if (code == kRemToken) in_rem = true;
    }
  }
  findings.text_cut = findings.text_cut || text.Cut();
  return text.Take();
}

template std::string DecodeTokenLine(ProgramReader&, const DialectRules&, const LineAddressMap*, LineFindings&);
template std::string DecodeTokenLine(StreamReader&, const DialectRules&, const LineAddressMap*, LineFindings&);

}  // namespace orvano::basic
