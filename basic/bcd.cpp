#include "basic/bcd.h"

#include <algorithm>

namespace orvano::basic {
namespace {

constexpr int kDigits = 14;
constexpr std::uint8_t kSignBit = 0x80;
constexpr std::uint8_t kExponentBits = 0x7F;
// The exponent byte of the values from .1 up to below 1.
constexpr int kExponentBias = 0x40;

void DropTrailingZerosAndPoint(std::string& text) {
  while (!text.empty() && text.back() == '0') text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
}

}  // namespace

std::string BcdConstantText(std::span<const std::uint8_t> bytes) {
  const bool is_double = bytes.size() == 8;
  std::string text;
  if (bytes.empty() || bytes[0] == 0) {
    text = "0";
  } else {
    std::string digits(kDigits, '0');
    for (std::size_t i = 1; i < bytes.size() && 2 * i <= kDigits; ++i) {
      digits[2 * i - 2] = static_cast<char>('0' + (bytes[i] >> 4));
      digits[2 * i - 1] = static_cast<char>('0' + (bytes[i] & 0x0F));
    }
    if ((bytes[0] & kSignBit) != 0) text = "-";
    // The place of the point, counted in digits from the left: 1 for
    // .1 <= |v| < 1.
    const int point = (bytes[0] & kExponentBits) - kExponentBias + 1;
    std::string body;
    if (point == 0) {
      body = ".0" + digits;
      DropTrailingZerosAndPoint(body);
    } else if (point >= 1 && point <= kDigits + 1) {
      const auto whole = static_cast<std::size_t>(point - 1);
      body = digits.substr(0, whole) + "." + digits.substr(std::min(whole, digits.size()));
      DropTrailingZerosAndPoint(body);
    } else {
      body = digits.substr(0, 1) + "." + digits.substr(1);
      DropTrailingZerosAndPoint(body);
      const int exponent = point - 2;
      const int magnitude = exponent < 0 ? -exponent : exponent;
      body += exponent < 0 ? "E-" : "E+";
      body += static_cast<char>('0' + magnitude / 10);
      body += static_cast<char>('0' + magnitude % 10);
    }
    text += body;
  }
  const bool has_exponent = text.find('E') != std::string::npos;
  if (is_double) {
    if (!has_exponent) text += '#';
  } else if (!has_exponent && text.find('.') == std::string::npos) {
    text += '!';
  }
  return text;
}

bool IsTokenisedBcd(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return false;
  if (std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; })) return true;
  if (bytes[0] == 0 || (bytes[0] & kSignBit) != 0) return false;
  if (bytes.size() < 2 || (bytes[1] >> 4) == 0) return false;
  return std::all_of(bytes.begin() + 1, bytes.end(), [](std::uint8_t b) { return (b >> 4) <= 9 && (b & 0x0F) <= 9; });
}

}  // namespace orvano::basic
