#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace orvano::decode {

// What a recording is, as Open tells it and `orvano-cli info` prints it.
struct AudioFacts {
  std::string format;         // "RAW", "WAV", "FLAC" ... and the sample encoding
  unsigned sample_rate = 0;   // frames per second
  unsigned bits = 0;          // bits per sample as stored; 0 when the format has none (Ogg)
  unsigned channels = 0;
  std::uint64_t frames = 0;   // frames the file holds (for a damaged file, what is there)
  bool length_known = true;   // false for a stream that does not say how long it is
  bool shorter_than_header = false;  // the header promised more frames than the file holds
  std::uint64_t header_frames = 0;   // what it promised, when it promised too much
  bool unsized_data = false;         // the header gave no size for the data, which runs to the file's end
  // A reader sent to a frame reads there what a reader from the start does.
  // Uncompressed data and FLAC do; the lossy codecs land near the frame.
  bool seeks_exactly = false;
};

// A recording opened for reading, whatever its format: one interface, so
// that the passes after it never care which kind of file it was. Samples
// come as floats at full scale ±1, interleaved by channel.
class AudioSource {
 public:
  virtual ~AudioSource() = default;

  virtual const AudioFacts& Facts() const = 0;
  // Reads the next whole frames into `interleaved` (channels floats each)
  // and returns how many; 0 at the end and after a read error. A source
  // that finds its data ending before its header said sets
  // shorter_than_header when it gets there.
  virtual std::size_t Read(std::span<float> interleaved) = 0;
  // On to frame `frame`, so that the next read starts there: back to the
  // start for a pass that looks ahead before it reads, or to the middle for
  // a second reader of the same file. False when the source cannot go
  // there; a frame past the end is refused without an error.
  virtual bool Seek(std::uint64_t frame) = 0;
  bool Rewind() { return Seek(0); }
  // Why reading stopped before the end; empty when nothing went wrong.
  virtual const std::string& Error() const = 0;
};

struct OpenedAudio {
  std::unique_ptr<AudioSource> source;  // none when it could not be opened
  std::string reason;                   // why not, in a few words
};

// A name ending in .RAW (any case) is a headerless file of 16-bit signed
// little-endian mono samples at 44100 Hz; anything else goes to the sound
// library.
OpenedAudio OpenAudioFile(const std::string& path);

// Whether the name says it is a headerless .RAW sample file.
bool IsRawSampleName(const std::string& path);

}  // namespace orvano::decode
