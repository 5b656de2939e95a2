#include "common/option_names.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace orvano {
namespace {

constexpr std::array<std::string_view, 2> kBaudNames{"1200", "2400"};
constexpr std::array<std::string_view, 4> kChannelNames{"auto", "left", "right", "mix"};
constexpr std::array<std::string_view, 3> kDialectNames{"auto", "msx", "korvet"};

bool SameWord(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// The enumerators are numbered in the order of their names.
template <typename Choice, std::size_t N>
std::optional<Choice> Read(std::string_view text, const std::array<std::string_view, N>& names) {
  for (std::size_t i = 0; i < N; ++i) {
    if (SameWord(text, names[i])) return static_cast<Choice>(i);
  }
  return std::nullopt;
}

}  // namespace

std::string_view NameOf(Baud baud) { return kBaudNames[static_cast<std::size_t>(baud)]; }
std::string_view NameOf(ChannelChoice channel) { return kChannelNames[static_cast<std::size_t>(channel)]; }
std::string_view NameOf(DialectChoice dialect) { return kDialectNames[static_cast<std::size_t>(dialect)]; }

std::optional<Baud> ReadBaud(std::string_view text) { return Read<Baud>(text, kBaudNames); }
std::optional<ChannelChoice> ReadChannel(std::string_view text) { return Read<ChannelChoice>(text, kChannelNames); }
std::optional<DialectChoice> ReadDialect(std::string_view text) { return Read<DialectChoice>(text, kDialectNames); }

std::span<const std::string_view> BaudNames() { return kBaudNames; }
std::span<const std::string_view> ChannelNames() { return kChannelNames; }
std::span<const std::string_view> DialectNames() { return kDialectNames; }

}  // namespace orvano
