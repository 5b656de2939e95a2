#include "bench/bench_demodulate.h"

#include <stdexcept>

#include "decode/audio_source.h"
#include "decode/mono_signal.h"
#include "decode/signal_demodulation.h"

namespace orvano::bench {
namespace {

class CountingSink final : public decode::SymbolSink {
 public:
  void Leader(double, double, double) override { ++heard.leaders; }
  void Bit(std::uint8_t, double) override { ++heard.bits; }
  void BlockEnd(double) override { ++heard.blocks; }

  Heard heard;
};

}  // namespace

Heard Demodulate(const std::string& path) {
  decode::OpenedAudio audio = decode::OpenAudioFile(path);
  if (!audio.source) throw std::runtime_error("cannot open " + path + ": " + audio.reason);
  decode::MonoSignal signal(*audio.source, ChannelChoice::Auto);
  CountingSink sink;
  const decode::AudioFacts& facts = audio.source->Facts();
  decode::DemodulateSignal(
      signal.SampleRate(), [&signal](std::span<float> samples) { return signal.Read(samples); }, sink,
      decode::ThreadsFor(facts.frames, facts.length_known, signal.SampleRate()), [](std::uint64_t) {});
  return sink.heard;
}

}  // namespace orvano::bench
