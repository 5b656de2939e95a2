#include "decode/sample_rate_range.h"

namespace orvano::decode {

std::string RateRefusalText(std::string_view name, unsigned rate) {
  return "Can't read file " + std::string(name) + ": its sample rate of " + std::to_string(rate) +
         " Hz is outside " + std::to_string(kLowestSampleRate) + " to " + std::to_string(kHighestSampleRate) + " Hz";
}

}  // namespace orvano::decode
