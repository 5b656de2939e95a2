#include "bench/bench_demodulate.h"

#include <stdexcept>
#include <vector>

#include "decode/audio_source.h"
#include "decode/demodulator.h"
#include "decode/mono_signal.h"

namespace orvano::bench {
namespace {

class CountingSink final : public decode::SymbolSink {
 public:
  void Leader(double, double, double) override { ++heard.leaders; }
  void Bit(std::uint8_t, double) override { ++heard.bits; }
  void BlockEnd(double) override { ++heard.blocks; }

  Heard heard;
};

constexpr std::size_t kFrames = 32 * 1024;

}  // namespace

Heard Demodulate(const std::string& path) {
  decode::OpenedAudio audio = decode::OpenAudioFile(path);
  if (!audio.source) throw std::runtime_error("cannot open " + path + ": " + audio.reason);
  decode::MonoSignal signal(*audio.source, ChannelChoice::Auto);
  CountingSink sink;
  decode::Demodulator demodulator(signal.SampleRate(), sink);
  std::vector<float> samples(kFrames);
  for (std::size_t count; (count = signal.Read(samples)) != 0;) demodulator.Feed({samples.data(), count});
  demodulator.Finish();
  return sink.heard;
}

}  // namespace orvano::bench
