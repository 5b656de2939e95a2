#include "tape/tape_decode.h"

#include <vector>

#include "common/messages.h"
#include "common/number_text.h"
#include "decode/audio_source.h"
#include "decode/mono_signal.h"
#include "decode/sample_rate_range.h"
#include "decode/signal_demodulation.h"
#include "tape/frame_reader.h"
#include "tape/tape_batch.h"
#include "tape/tape_outputs.h"
#include "tape/tape_report.h"

namespace orvano::tape {
namespace {

std::string FactsText(const decode::AudioFacts& facts, const std::string& channel) {
  std::string text = facts.format + ", " + Decimal(facts.sample_rate) + " Hz";
  text += facts.channels == 1 ? ", mono" : ", " + Decimal(facts.channels) + " channels";
  if (!channel.empty()) text += ", the " + channel + " channel";
  return text;
}

// A recording decoded alone may take a second core; several at once have
// the cores to themselves already.
Outcome DecodeRecording(const std::string& path, const std::string& dir, const ConversionOptions& options,
                        bool alone, Reporter& reporter) {
  Log(reporter, "Open file " + path + " for reading");
  decode::OpenedAudio opened = decode::OpenAudioFile(path);
  if (!opened.source) {
    ReportFailure(path, OpenFailedText(path) + (opened.reason.empty() ? "" : ": " + opened.reason), reporter);
    return Outcome::Failure;
  }
  decode::AudioSource& source = *opened.source;
  const unsigned rate = source.Facts().sample_rate;
  if (!decode::IsReadableRate(rate)) {
    ReportFailure(path, decode::RateRefusalText(path, rate), reporter);
    return Outcome::Failure;
  }
  decode::MonoSignal signal(source, options.channel);
  Log(reporter, "Reading the tape: " + FactsText(source.Facts(), signal.ChannelTaken()));

  FrameReader frames;
  {
    Progress progress(reporter, "Reading the tape " + path);
    const decode::AudioFacts& facts = source.Facts();
    decode::DemodulateSignal(
        signal.SampleRate(), [&signal](std::span<float> samples) { return signal.Read(samples); }, frames,
        alone ? decode::ThreadsFor(facts.frames, facts.length_known, signal.SampleRate()) : decode::Threads::One,
        [&progress, &source](std::uint64_t read) { progress.Set(read, source.Facts().frames); });
  }
  const std::vector<TapeBlock> blocks = frames.TakeBlocks();
  // What was heard before a read error is still written: nothing is lost.
  const bool broken = !signal.Error().empty();
  if (broken) Log(reporter, "Read error in file " + path + ": " + signal.Error());
  const Outcome outcome =
      WriteTapeOutputs(path, blocks, dir.empty() ? DefaultOutputFolder(path) : dir, options, reporter);
  return broken ? Outcome::Failure : outcome;
}

}  // namespace

Outcome DecodeTape(const std::string& path, const std::string& dir, const ConversionOptions& options,
                   Reporter& reporter) {
  return DecodeRecording(path, dir, options, true, reporter);
}

Outcome DecodeTapes(std::span<const std::string> paths, const std::string& dir, unsigned jobs,
                    const ConversionOptions& options, Reporter& reporter) {
  const bool alone = paths.size() < 2 || jobs == 1;
  return RunRecordings(
      paths, dir, jobs,
      [&options, alone](const std::string& path, const std::string& folder, Reporter& r) {
        return DecodeRecording(path, folder, options, alone, r);
      },
      reporter);
}

}  // namespace orvano::tape
