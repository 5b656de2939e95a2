#include "app/user_text.h"

#include <cstdint>

#include "app/cp866.h"

namespace orvano::app {
namespace {

bool Continues(std::uint8_t byte, std::uint8_t low = 0x80, std::uint8_t high = 0xBF) {
  return byte >= low && byte <= high;
}

// The length of the well-formed sequence at `at`, and the code point it
// spells; a length of 0 when the bytes there are no UTF-8. The ranges of the
// second byte rule out overlong forms, surrogates and values past U+10FFFF.
std::size_t SequenceAt(std::string_view s, std::size_t at, char32_t& code) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(s[at + i]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) {
    // Through the table as well: control bytes show as the PC's glyphs
    // instead of reaching the terminal as controls.
    code = Cp866ToUnicode(lead);
    return 1;
  }
  std::size_t length = 0;
  std::uint8_t low = 0x80;
  std::uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (s.size() - at < length || !Continues(byte(1), low, high)) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!Continues(byte(i))) return 0;
  }
  code = static_cast<char32_t>(lead & (0xFF >> (length + 1)));
  for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (byte(i) & 0x3Fu);
  return length;
}

}  // namespace

std::wstring TextFromUtf8(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  std::size_t at = 0;
  while (at < bytes.size()) {
    char32_t code = 0;
    const std::size_t length = SequenceAt(bytes, at, code);
    if (length == 0) {
      text += static_cast<wchar_t>(Cp866ToUnicode(static_cast<std::uint8_t>(bytes[at])));
      ++at;
    } else {
      text += static_cast<wchar_t>(code);
      at += length;
    }
  }
  return text;
}

std::string Utf8FromText(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (const wchar_t c : text) {
    auto code = static_cast<std::uint32_t>(c);
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
    if (code < 0x80) {
      bytes += static_cast<char>(code);
    } else if (code < 0x800) {
      bytes += static_cast<char>(0xC0 | (code >> 6));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      bytes += static_cast<char>(0xE0 | (code >> 12));
      bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      bytes += static_cast<char>(0xF0 | (code >> 18));
      bytes += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return bytes;
}

}  // namespace orvano::app
