#include "common/tape_name.h"

#include <array>
#include <cstdint>

#include "common/file_names.h"

namespace orvano {
namespace {

// U+0410 А to U+042F Я; the small letters U+0430 to U+044F spell the same.
constexpr std::array<std::string_view, 32> kCyrillic{
    "A", "B", "V", "G", "D", "E", "ZH", "Z", "I", "J", "K", "L", "M", "N", "O", "P",
    "R", "S", "T", "U", "F", "H", "C", "CH", "SH", "SCH", "'", "Y", "'", "E", "JU", "JA"};

std::string_view Spelling(char32_t letter) {
  if (letter >= 0x0410 && letter <= 0x042F) return kCyrillic[letter - 0x0410];
  if (letter >= 0x0430 && letter <= 0x044F) return kCyrillic[letter - 0x0430];
  switch (letter) {
    case 0x0401: case 0x0451: return "E";   // Ё
    case 0x0404: case 0x0454: return "JE";  // Є
    case 0x0406: case 0x0456: return "I";   // І
    case 0x0407: case 0x0457: return "JI";  // Ї
    case 0x040E: case 0x045E: return "W";   // Ў
    case 0x0490: case 0x0491: return "G";   // Ґ
    default: return "?";
  }
}

// The code point of the UTF-8 sequence at `text`, and how many bytes it
// takes; a byte that starts no valid sequence counts alone, as no letter.
std::pair<char32_t, std::size_t> DecodeUtf8(std::string_view text) {
  const auto lead = static_cast<std::uint8_t>(text[0]);
  std::size_t length = 0;
  char32_t letter = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    letter = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    letter = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    letter = lead & 0x07u;
  } else {
    return {0, 1};
  }
  if (text.size() < length) return {0, 1};
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<std::uint8_t>(text[i]);
    if ((next & 0xC0u) != 0x80u) return {0, 1};
    letter = (letter << 6) | (next & 0x3Fu);
  }
  return {letter, length};
}

}  // namespace

TapeNameChoice ChooseTapeName(std::string_view path) {
  const std::string base = NameOf(path);
  TapeNameChoice choice;
  std::string spelled;
  for (std::size_t i = 0; i < base.size();) {
    if (static_cast<std::uint8_t>(base[i]) < 0x80) {
      spelled += base[i++];
      continue;
    }
    const auto [letter, length] = DecodeUtf8(std::string_view(base).substr(i));
    spelled += Spelling(letter);
    choice.transliterated = true;
    i += length;
  }
  choice.cut = spelled.size() > kTapeNameLength;
  spelled.resize(kTapeNameLength, ' ');
  choice.name = std::move(spelled);
  return choice;
}

}  // namespace orvano
