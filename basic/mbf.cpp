#include "basic/mbf.h"

#include <bit>
#include <cmath>

namespace orvano::basic {

double MbfSingleToIeee(std::span<const std::uint8_t, 4> bytes) {
  const int exponent = bytes[3];
  if (exponent == 0) return 0.0;
  const std::uint32_t fraction = (std::uint32_t{bytes[2] & 0x7Fu} << 16) | (std::uint32_t{bytes[1]} << 8) | bytes[0];
  // 1.fraction × 2^(exponent − 129), with the 23 fraction bits as an integer.
  const double magnitude = std::ldexp(static_cast<double>(fraction | 0x800000u), exponent - 129 - 23);
  return (bytes[2] & 0x80u) != 0 ? -magnitude : magnitude;
}

double MbfDoubleToIeee(std::span<const std::uint8_t, 8> bytes) {
  const std::uint64_t exponent = bytes[7];
  if (exponent == 0) return 0.0;
  std::uint64_t fraction = bytes[6] & 0x7Fu;
  for (int i = 5; i >= 0; --i) fraction = (fraction << 8) | bytes[static_cast<std::size_t>(i)];
  // MBF bias 129 with the point after the leading 1 is IEEE bias 1023 with
  // the same point: 1023 − 129 = 894.
  const std::uint64_t sign = (bytes[6] & 0x80u) != 0 ? 1 : 0;
  return std::bit_cast<double>((sign << 63) | ((exponent + 894) << 52) | (fraction >> 3));
}

}  // namespace orvano::basic
