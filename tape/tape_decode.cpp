#include "tape/tape_decode.h"

#include <vector>

#include "common/messages.h"
#include "common/number_text.h"
#include "decode/audio_source.h"
#include "decode/mono_signal.h"
#include "decode/recording_facts.h"
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

std::string OutputFolder(const std::string& path, const std::string& dir) {
  return dir.empty() ? DefaultOutputFolder(path) : dir;
}

// The blocks heard on one channel of the recording.
std::vector<TapeBlock> HearBlocks(const std::string& path, const decode::AudioSource& source,
                                  decode::MonoSignal& signal, bool alone, Reporter& reporter) {
  FrameReader frames;
  Progress progress(reporter, "Reading the tape " + path);
  const decode::AudioFacts& facts = source.Facts();
  decode::DemodulateSignal(
      signal.SampleRate(), [&signal](std::span<float> samples) { return signal.Read(samples); }, frames,
      alone ? decode::ThreadsFor(facts.frames, facts.length_known, signal.SampleRate()) : decode::Threads::One,
      [&progress, &facts](std::uint64_t read) { progress.Set(read, facts.frames); });
  return frames.TakeBlocks();
}

// What was heard before a read error is still written: nothing is lost.
Outcome Broken(const std::string& path, const std::vector<TapeBlock>& blocks, const std::string& dir,
               const ConversionOptions& options, const std::string& error, Reporter& reporter) {
  Log(reporter, "Read error in file " + path + ": " + error);
  WriteTapeOutputs(path, blocks, OutputFolder(path, dir), options, reporter);
  return Outcome::Failure;
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
  std::vector<TapeBlock> blocks = HearBlocks(path, source, signal, alone, reporter);
  // The channel chosen by its level over the first seconds may still be the
  // wrong one: a tape that starts late beside a channel of hiss. When it
  // held nothing at all, the other one is heard before giving up.
  if (blocks.empty() && signal.ChosenByLevel() && source.Error().empty() && source.Rewind()) {
    decode::MonoSignal second(source,
                              signal.Channel() == ChannelChoice::Left ? ChannelChoice::Right : ChannelChoice::Left);
    Log(reporter, "The " + signal.ChannelTaken() + " channel held no tape; reading the " + second.ChannelTaken() +
                      " channel");
    blocks = HearBlocks(path, source, second, alone, reporter);
  }
  // A compressed file shows only at its end that it was cut.
  decode::WarnOfHeader(path, source.Facts(), reporter);
  if (!source.Error().empty()) return Broken(path, blocks, dir, options, source.Error(), reporter);
  return WriteTapeOutputs(path, blocks, OutputFolder(path, dir), options, reporter);
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
