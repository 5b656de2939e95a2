// Any bytes as a recording: the sound library parses them through the
// virtual I/O of the audio source, the channel choice reads ahead and
// rewinds, and every sample is read. A source that knows its length must
// deliver exactly that many frames, or say why not; one that seeks exactly
// delivers the rest of them from its middle, as a second reader does.
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
  if (!signal.Error().empty() || !facts.length_known || !facts.seeks_exactly) return 0;
  const std::uint64_t middle = facts.frames / 2;
  if (!source.Seek(middle)) return 0;
  std::vector<float> frames_block(4096 * facts.channels);
  std::uint64_t rest = 0;
  while (const std::size_t count = source.Read(frames_block)) rest += count;
  if (source.Error().empty() && rest != facts.frames - middle) std::abort();
  return 0;
}
