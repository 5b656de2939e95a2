#include "bench/bench_demodulate.h"

#include <stdexcept>
#include <vector>

#include "common/file_stream.h"
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

Heard DemodulateRaw(const std::string& path) {
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

Heard DemodulateStereoWave(const std::string& path) {
  FileStream in(path, OpenMode::Read, 1 << 16);
  std::vector<std::uint8_t> header(44);
  in.Read(header);
  const unsigned rate = header[24] | header[25] << 8 | header[26] << 16 | static_cast<unsigned>(header[27]) << 24;
  CountingSink sink;
  decode::Demodulator demodulator(rate, sink);
  std::vector<std::uint8_t> bytes(kFrames * 4);
  std::vector<float> samples(kFrames);
  for (std::uint64_t left = (in.Size() - 44) / 4; left > 0;) {
    const std::size_t count = left < kFrames ? static_cast<std::size_t>(left) : kFrames;
    in.Read({bytes.data(), count * 4});
    if (in.Failed()) throw std::runtime_error("cannot read " + path);
    for (std::size_t i = 0; i < count; ++i) {
      const auto value = static_cast<std::int16_t>(bytes[4 * i] | bytes[4 * i + 1] << 8);
      samples[i] = static_cast<float>(value) * (1.0f / 32768.0f);
    }
    demodulator.Feed({samples.data(), count});
    left -= count;
  }
  demodulator.Finish();
  return sink.heard;
}

}  // namespace orvano::bench
