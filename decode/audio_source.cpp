#include "decode/audio_source.h"

#include "common/file_names.h"
#include "decode/raw_audio_source.h"
#include "decode/sound_file_source.h"

namespace orvano::decode {

bool IsRawSampleName(const std::string& path) { return UpperCaseName(ExtOf(path)) == ".RAW"; }

OpenedAudio OpenAudioFile(const std::string& path) {
  if (IsRawSampleName(path)) return OpenRawSamples(path);
  return OpenSoundFile(path);
}

}  // namespace orvano::decode
