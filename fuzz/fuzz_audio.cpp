// Any bytes as a recording: the sound library parses them through the
// virtual I/O of the audio source, the channel choice reads ahead and
// rewinds, and every sample is read. A source that knows its length must
// deliver exactly that many frames, or say why not.
#include <cstdlib>
#include <memory>
#include <vector>

#include "common/memory_stream.h"
#include "decode/mono_signal.h"
#include "decode/recording_facts.h"
#include "decode/sound_file_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orvano;
  auto bytes = std::make_unique<MemoryStream>(std::vector<std::uint8_t>(data, data + size));
  const decode::OpenedAudio opened = decode::OpenSoundStream(std::move(bytes));
  if (!opened.source) {
    if (opened.reason.empty()) std::abort();
    return 0;
  }
  decode::AudioSource& source = *opened.source;
  (void)decode::FactsText(source.Facts());
  decode::MonoSignal signal(source, ChannelChoice::Auto);
  std::vector<float> block(4096);
  std::uint64_t frames = 0;
  while (const std::size_t count = signal.Read(block)) {
    if (count > block.size()) std::abort();
    frames += count;
  }
  const decode::AudioFacts& facts = source.Facts();
  if (signal.Error().empty() && facts.length_known && frames != facts.frames) std::abort();
  return 0;
}
