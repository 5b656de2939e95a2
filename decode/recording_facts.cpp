#include "decode/recording_facts.h"

#include "common/messages.h"
#include "decode/operations.h"
#include "decode/sample_rate_range.h"

namespace orvano::decode {
namespace {

std::string LengthText(const AudioFacts& facts) {
  if (!facts.length_known || facts.sample_rate == 0) return "length unknown";
  const std::uint64_t seconds = facts.frames / facts.sample_rate;
  const std::uint64_t rest = seconds % 60;
  return std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

}  // namespace

std::string FactsText(const AudioFacts& facts) {
  return facts.format + ", " + std::to_string(facts.sample_rate) + " Hz, " + std::to_string(facts.channels) +
         (facts.channels == 1 ? " channel, " : " channels, ") + LengthText(facts);
}

std::string ShorterThanHeaderText(std::string_view name, const AudioFacts& facts) {
  return "File " + std::string(name) + " is shorter than its header claims: it holds " +
         std::to_string(facts.frames) + " of " + std::to_string(facts.header_frames) + " frames";
}

std::string UnsizedDataText(std::string_view name, const AudioFacts& facts) {
  return "File " + std::string(name) + " gives no size for its data: it is read to the end of the file, " +
         std::to_string(facts.frames) + " frames";
}

void WarnOfHeader(std::string_view name, const AudioFacts& facts, Reporter& reporter) {
  if (facts.unsized_data) Warn(reporter, UnsizedDataText(name, facts));
  if (facts.shorter_than_header) Warn(reporter, ShorterThanHeaderText(name, facts));
}

Outcome DescribeRecording(const std::string& path, Reporter& reporter) {
  const OpenedAudio opened = OpenAudioFile(path);
  if (!opened.source) {
    Log(reporter, OpenFailedText(path, opened.reason));
    return Outcome::Failure;
  }
  const AudioFacts& facts = opened.source->Facts();
  if (!IsReadableRate(facts.sample_rate)) {
    Log(reporter, RateRefusalText(path, facts.sample_rate));
    return Outcome::Failure;
  }
  Log(reporter, FactsText(facts));
  WarnOfHeader(path, facts, reporter);
  return Outcome::Success;
}

}  // namespace orvano::decode
