#pragma once

#include <string>
#include <string_view>

namespace orvano::decode {

// The sample rates a recording may have. Below 8000 Hz the 2400 Hz tone of a
// 1200-baud tape has less than four samples per cycle; above 384000 Hz is
// beyond what sound cards record.
inline constexpr unsigned kLowestSampleRate = 8000;
inline constexpr unsigned kHighestSampleRate = 384000;

constexpr bool IsReadableRate(unsigned rate) { return rate >= kLowestSampleRate && rate <= kHighestSampleRate; }

// The log line that refuses the recording `name` for its rate.
std::string RateRefusalText(std::string_view name, unsigned rate);

}  // namespace orvano::decode
