#include "decode/audio_recode.h"

#include <string>
#include <vector>

#include "common/file_stream.h"
#include "common/messages.h"
#include "common/tape_timing.h"
#include "decode/audio_source.h"
#include "decode/level_recode.h"
#include "decode/mono_signal.h"
#include "decode/recording_facts.h"
#include "decode/sample_format.h"
#include "decode/sample_rate_range.h"
#include "decode/two_thread_resampler.h"

namespace orvano::decode {
namespace {

constexpr std::size_t kReadSamples = 16 * 1024;
constexpr std::size_t kOutputBufferBytes = 256 * 1024;

// "Recode WAV file": the kind of file as its facts name it.
std::string CaptionOf(const AudioFacts& facts) {
  return "Recode " + facts.format.substr(0, facts.format.find(',')) + " file";
}

}  // namespace

Outcome RecodeRecording(const FileNameSet& names, const ConversionOptions& options, Reporter& reporter) {
  const std::string& source_name = names.SourceName;
  // Before the library looks at it: an .MSR given as the source is no sound
  // file, and the reason to refuse it is another.
  if (SameFile(source_name, names.MsrName)) {
    Log(reporter, SameFileText(names.MsrName));
    return Outcome::Failure;
  }
  const OpenedAudio opened = OpenAudioFile(source_name);
  if (!opened.source) {
    Log(reporter, OpenFailedText(source_name, opened.reason));
    return Outcome::Failure;
  }
  AudioSource& source = *opened.source;
  const unsigned rate = source.Facts().sample_rate;
  if (!IsReadableRate(rate)) {
    Log(reporter, RateRefusalText(source_name, rate));
    return Outcome::Failure;
  }
  FileStream out(names.MsrName, OpenMode::Create, kOutputBufferBytes);
  if (out.Failed()) {
    Log(reporter, CreateFailedText(names.MsrName));
    return Outcome::Failure;
  }

  MonoSignal signal(source, options.channel);
  const std::string channel_line = ChannelTakenText(signal);
  if (!channel_line.empty()) Log(reporter, channel_line);

  std::vector<std::uint8_t> levels;
  TwoThreadResampler resampler(rate, kSampleRate, [&](std::span<const float> samples) {
    levels.resize(samples.size() * kSampleBytes);
    RecodeToLevels(samples, levels.data());
    out.Write(levels);
  });
  if (!resampler.Error().empty()) {
    Log(reporter, "Can't resample file " + source_name + ": " + resampler.Error());
    return Outcome::Failure;
  }

  {
    Progress progress(reporter, CaptionOf(source.Facts()));
    std::vector<float> block(kReadSamples);
    std::uint64_t frames_read = 0;
    while (!out.Failed()) {
      const std::size_t count = signal.Read(block);
      if (count == 0) break;
      resampler.Feed({block.data(), count});
      frames_read += count;
      progress.Set(frames_read, source.Facts().frames);
    }
    if (signal.Error().empty()) resampler.Finish();
  }

  if (!signal.Error().empty()) {
    Log(reporter, ReadFailedText(source_name, signal.Error()));
    return Outcome::Failure;
  }
  if (!out.Failed()) out.Release();
  if (out.Failed()) {
    Log(reporter, WriteFailedText(names.MsrName, out));
    return Outcome::Failure;
  }
  if (source.Facts().shorter_than_header) Warn(reporter, ShorterThanHeaderText(source_name, source.Facts()));
  return Outcome::Success;
}

}  // namespace orvano::decode
