#include "decode/audio_recode.h"

#include <algorithm>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "common/file_stream.h"
#include "common/messages.h"
#include "common/tape_timing.h"
#include "decode/audio_source.h"
#include "decode/mono_signal.h"
#include "decode/recording_facts.h"
#include "decode/sample_rate_range.h"
#include "decode/stretch_recode.h"

namespace orvano::decode {
namespace {

// Resampling an hour's recording costs more than a core can do in the time
// of a few copies of the file, so a long recording is recoded in two halves
// at once, each read by a source of its own.
constexpr unsigned kStretches = 2;

// "Recode WAV file": the kind of file as its facts name it.
std::string CaptionOf(const AudioFacts& facts) {
  return "Recode " + facts.format.substr(0, facts.format.find(',')) + " file";
}

// The second half's own reader, standing at its first frame; none when the
// recording cannot be opened twice or cannot go there exactly, and the first
// reader then reads it all.
std::unique_ptr<AudioSource> SecondReader(const std::string& path, const AudioFacts& facts, const Stretch& stretch) {
  if (!facts.seeks_exactly) return nullptr;
  OpenedAudio opened = OpenAudioFile(path);
  if (!opened.source) return nullptr;
  const AudioFacts& again = opened.source->Facts();
  if (again.sample_rate != facts.sample_rate || again.channels != facts.channels || again.frames != facts.frames) {
    return nullptr;
  }
  if (!opened.source->Seek(stretch.read_from)) return nullptr;
  return std::move(opened.source);
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
  const AudioFacts& facts = source.Facts();
  const unsigned rate = facts.sample_rate;
  if (!IsReadableRate(rate)) {
    Log(reporter, RateRefusalText(source_name, rate));
    return Outcome::Failure;
  }
  FileStream out(names.MsrName, OpenMode::Create);
  if (out.Failed()) {
    Log(reporter, CreateFailedText(names.MsrName));
    return Outcome::Failure;
  }

  MonoSignal signal(source, options.channel);
  const std::string channel_line = ChannelTakenText(signal);
  if (!channel_line.empty()) Log(reporter, channel_line);

  std::vector<Stretch> stretches =
      facts.length_known ? PlanStretches(rate, kSampleRate, facts.frames, kStretches) : std::vector<Stretch>(1);
  std::unique_ptr<AudioSource> second_source;
  if (stretches.size() == 2) second_source = SecondReader(source_name, facts, stretches[1]);
  if (!second_source) stretches.resize(1);
  stretches.front().to_end = stretches.size() == 1;

  SharedRecodeState shared;
  StretchResult results[kStretches];
  {
    Progress progress(reporter, CaptionOf(facts));
    std::thread second;
    if (second_source) {
      try {
        second = std::thread([&] {
          MonoSignal second_signal(*second_source, signal.Channel());
          results[1] = RecodeStretch(second_signal, stretches[1], out, shared);
        });
      } catch (const std::system_error&) {
        // No thread to be had: the first reader reads it all.
        stretches.front().to_end = true;
        second_source.reset();
      }
    }
    const auto show = [&] { progress.Set(std::min(shared.frames_read.load(), facts.frames), facts.frames); };
    results[0] = RecodeStretch(signal, stretches.front(), out, shared, show);
    // The halves end at about the same time: the bar waits for the second.
    if (second.joinable()) second.join();
    show();
  }

  for (const StretchResult& result : results) {
    if (!result.resample_error.empty()) {
      Log(reporter, "Can't resample file " + source_name + ": " + result.resample_error);
      return Outcome::Failure;
    }
  }
  for (const StretchResult& result : results) {
    if (!result.read_error.empty()) {
      Log(reporter, ReadFailedText(source_name, result.read_error));
      return Outcome::Failure;
    }
  }
  for (const StretchResult& result : results) {
    if (result.write_error != 0) {
      Log(reporter, WriteFailedText(names.MsrName, StreamStatus::WriteFailed, result.write_error));
      return Outcome::Failure;
    }
  }
  out.Release();
  if (out.Failed()) {
    Log(reporter, WriteFailedText(names.MsrName, out));
    return Outcome::Failure;
  }
  // The reader of the end is the one that finds a compressed file cut short.
  const AudioSource& last = second_source ? *second_source : source;
  WarnOfHeader(source_name, last.Facts(), reporter);
  return Outcome::Success;
}

}  // namespace orvano::decode
