#include "decode/sound_file_source.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "common/file_stream.h"
#include "common/messages.h"
#include "decode/sound_format_names.h"
#include "decode/unsized_wave_data.h"

namespace orvano::decode {
namespace {

// The library reads 16-bit samples straight into the block it is given, so
// blocks of 64 KB pass the file's buffer by; a buffer smaller than they are
// serves the headers and the other sample kinds.
constexpr std::size_t kReadBufferBytes = 16 * 1024;
// Shorts per block when 8- and 16-bit samples are read as shorts.
constexpr std::size_t kShortBlock = 32 * 1024;

// The library's reasons end with a full stop, and some start with "Error :";
// log lines have neither.
std::string Trimmed(const char* text) {
  std::string reason = text != nullptr ? text : "";
  if (reason.starts_with("Error : ")) reason.erase(0, 8);
  while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ' || reason.back() == '\n')) reason.pop_back();
  return reason.empty() ? "not a sound file" : reason;
}

// The frames that the header of a WAV or AIFF file promises: the size its
// data chunk claims over the size of a frame. The library has already cut
// its own count to what the file holds, so this is where a short file shows.
std::optional<std::uint64_t> PromisedFrames(SNDFILE* file, const SF_INFO& info) {
  const unsigned sample_bytes = BytesPerSample(info.format);
  const int major = info.format & SF_FORMAT_TYPEMASK;
  const char* id = nullptr;
  std::uint32_t skip = 0;
  if (major == SF_FORMAT_WAV || major == SF_FORMAT_WAVEX) {
    id = "data";
  } else if (major == SF_FORMAT_AIFF) {
    id = "SSND";
    skip = 8;  // the chunk's offset and block size come before the samples
  }
  if (id == nullptr || sample_bytes == 0 || info.channels <= 0) return std::nullopt;
  SF_CHUNK_INFO wanted{};
  std::memcpy(wanted.id, id, 4);
  wanted.id_size = 4;
  SF_CHUNK_ITERATOR* chunk = sf_get_chunk_iterator(file, &wanted);
  if (chunk == nullptr) return std::nullopt;
  SF_CHUNK_INFO found{};
  if (sf_get_chunk_size(chunk, &found) != SF_ERR_NO_ERROR || found.datalen < skip) return std::nullopt;
  return (found.datalen - skip) / (std::uint64_t{sample_bytes} * static_cast<unsigned>(info.channels));
}

class SoundFile final : public AudioSource {
 public:
  explicit SoundFile(std::unique_ptr<ByteStream> bytes) : bytes_(std::move(bytes)) {}
  ~SoundFile() override {
    if (file_ != nullptr) sf_close(file_);
  }
  SoundFile(const SoundFile&) = delete;
  SoundFile& operator=(const SoundFile&) = delete;

  // Empty when the file is open, or why it is not.
  std::string Open() {
    if (bytes_->Failed()) return ReasonOf(*bytes_);
    SF_INFO info{};
    if (std::string reason = OpenLibrary(info); !reason.empty()) return reason;
    const std::optional<UnsizedWaveData> unsized = UnsizedData(info);
    if (unsized && unsized->said == 0) {
      // The library took the size at its word; it reads again, and where the
      // size lies it finds the one the rest of the file gives.
      PutSizeOf(*unsized, info);
      sf_close(file_);
      info = {};
      if (std::string reason = OpenLibrary(info); !reason.empty()) return reason;
    }
    facts_.unsized_data = unsized.has_value();
    facts_.format = FormatWords(info.format);
    facts_.sample_rate = info.samplerate > 0 ? static_cast<unsigned>(info.samplerate) : 0;
    facts_.bits = BitsPerSample(info.format);
    facts_.channels = static_cast<unsigned>(info.channels);
    facts_.length_known = info.frames >= 0 && info.frames != SF_COUNT_MAX;
    facts_.frames = facts_.length_known ? static_cast<std::uint64_t>(info.frames) : 0;
    const std::optional<std::uint64_t> promised = unsized ? std::nullopt : PromisedFrames(file_, info);
    if (promised && facts_.length_known && *promised > facts_.frames) {
      facts_.shorter_than_header = true;
      facts_.header_frames = *promised;
    }
    // Reading these as shorts and scaling them here gives the very floats
    // the library would, at a fraction of its cost.
    reads_shorts_ = facts_.bits == 8 || (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_16;
    facts_.seeks_exactly = BytesPerSample(info.format) > 0 && (info.format & SF_FORMAT_TYPEMASK) != SF_FORMAT_OGG;
    return {};
  }

  const AudioFacts& Facts() const override { return facts_; }
  const std::string& Error() const override { return error_; }

  std::size_t Read(std::span<float> interleaved) override {
    const std::size_t channels = facts_.channels;
    if (!error_.empty() || ended_ || channels == 0) return 0;
    std::size_t want = interleaved.size() / channels;
    if (reads_shorts_) want = std::min(want, std::max<std::size_t>(1, kShortBlock / channels));
    // Never past the frames the file holds, so that every pass over it ends
    // at the same frame whatever the sizes of its reads.
    if (facts_.length_known) want = static_cast<std::size_t>(std::min<std::uint64_t>(want, facts_.frames - frames_read_));
    if (want == 0) return 0;
    const auto frames = static_cast<sf_count_t>(want);
    sf_count_t got = 0;
    if (reads_shorts_) {
      shorts_.resize(want * channels);
      got = sf_readf_short(file_, shorts_.data(), frames);
      const std::size_t count = static_cast<std::size_t>(std::max<sf_count_t>(got, 0)) * channels;
      for (std::size_t i = 0; i < count; ++i) interleaved[i] = static_cast<float>(shorts_[i]) * (1.0f / 32768.0f);
    } else {
      got = sf_readf_float(file_, interleaved.data(), frames);
    }
    if (got < frames) EndOfData(static_cast<std::uint64_t>(std::max<sf_count_t>(got, 0)));
    if (got <= 0 || !error_.empty()) return 0;
    frames_read_ += static_cast<std::uint64_t>(got);
    return static_cast<std::size_t>(got);
  }

  bool Seek(std::uint64_t frame) override {
    if (!error_.empty()) return false;
    if (facts_.length_known && frame > facts_.frames) return false;
    if (sf_seek(file_, static_cast<sf_count_t>(frame), SEEK_SET) < 0) {
      if (frame == 0) {
        error_ = bytes_->Failed() ? ReasonOf(*bytes_) : "cannot go back to its start: " + Trimmed(sf_strerror(file_));
      }
      return false;
    }
    frames_read_ = frame;
    ended_ = false;
    return true;
  }

 private:
  // Opens the library on the bytes from their start; empty when it could,
  // or why not.
  std::string OpenLibrary(SF_INFO& info) {
    bytes_->Seek(0);
    SF_VIRTUAL_IO io{&Length, &SeekTo, &ReadBytes, &WriteBytes, &Tell};
    file_ = sf_open_virtual(&io, SFM_READ, &info, this);
    if (file_ != nullptr) return {};
    return bytes_->Failed() ? ReasonOf(*bytes_) : Trimmed(sf_strerror(nullptr));
  }

  // A WAV whose recorder left out the size of its data holds samples all
  // the same, to the end of the file.
  std::optional<UnsizedWaveData> UnsizedData(const SF_INFO& info) {
    const int major = info.format & SF_FORMAT_TYPEMASK;
    if ((major != SF_FORMAT_WAV && major != SF_FORMAT_WAVEX) || BytesPerSample(info.format) == 0) return std::nullopt;
    return FindUnsizedWaveData(*bytes_);
  }

  // The size of the whole frames that the rest of the file holds, as much
  // of it as the chunk's 32 bits can say.
  void PutSizeOf(const UnsizedWaveData& unsized, const SF_INFO& info) {
    const std::uint64_t frame_bytes = std::uint64_t{BytesPerSample(info.format)} * static_cast<unsigned>(std::max(info.channels, 1));
    const std::uint64_t size = std::min<std::uint64_t>(unsized.data_bytes, 0xFFFF'FFF0u) / frame_bytes * frame_bytes;
    size_offset_ = unsized.size_offset;
    for (std::size_t k = 0; k < size_bytes_.size(); ++k) size_bytes_[k] = static_cast<std::uint8_t>(size >> (8 * k));
  }

  // What the library reads of the size that the header left out.
  void PutSize(std::uint64_t at, std::span<std::uint8_t> read) const {
    if (!size_offset_) return;
    for (std::size_t k = 0; k < size_bytes_.size(); ++k) {
      const std::uint64_t offset = *size_offset_ + k;
      if (offset >= at && offset - at < read.size()) read[static_cast<std::size_t>(offset - at)] = size_bytes_[k];
    }
  }

  // The data stopped before the frames asked for: the end of the file, the
  // end of what a short file holds, or a failure.
  void EndOfData(std::uint64_t got) {
    const std::uint64_t there = frames_read_ + got;
    const std::uint64_t promised = facts_.shorter_than_header ? facts_.header_frames : facts_.frames;
    const bool short_of_promise = facts_.length_known && there < promised;
    // A decoder that fails on the last bytes of a short file has run out of
    // data, on every pass over it.
    const bool failed = sf_error(file_) != SF_ERR_NO_ERROR && !(short_of_promise && bytes_->Remaining() == 0);
    if (bytes_->Failed()) {
      error_ = ReasonOf(*bytes_);
    } else if (failed) {
      error_ = Trimmed(sf_strerror(file_));
    } else if (short_of_promise && there < facts_.frames) {
      // A compressed file tells its length up front and shows only here
      // that its data was cut.
      facts_.shorter_than_header = true;
      facts_.header_frames = promised;
      facts_.frames = there;
    }
    ended_ = true;
  }

  static SoundFile& Self(void* user) { return *static_cast<SoundFile*>(user); }

  static sf_count_t Length(void* user) { return static_cast<sf_count_t>(Self(user).bytes_->Size()); }

  static sf_count_t SeekTo(sf_count_t offset, int whence, void* user) {
    ByteStream& bytes = *Self(user).bytes_;
    sf_count_t base = 0;
    if (whence == SEEK_CUR) base = static_cast<sf_count_t>(bytes.Position());
    if (whence == SEEK_END) base = static_cast<sf_count_t>(bytes.Size());
    if (bytes.Failed() || offset < -base) return -1;
    bytes.Seek(static_cast<std::uint64_t>(base + offset));
    return base + offset;
  }

  // Delivers what is there up to `count` bytes, as a file read does; a
  // stream that fails (a file that shrank) delivers nothing from then on.
  static sf_count_t ReadBytes(void* to, sf_count_t count, void* user) {
    ByteStream& bytes = *Self(user).bytes_;
    if (bytes.Failed() || count <= 0) return 0;
    const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(count), bytes.Remaining()));
    const std::uint64_t at = bytes.Position();
    const std::span<std::uint8_t> read(static_cast<std::uint8_t*>(to), length);
    bytes.Read(read);
    if (bytes.Failed()) return 0;
    Self(user).PutSize(at, read);
    return static_cast<sf_count_t>(length);
  }

  static sf_count_t WriteBytes(const void*, sf_count_t, void*) { return 0; }
  static sf_count_t Tell(void* user) { return static_cast<sf_count_t>(Self(user).bytes_->Position()); }

  std::unique_ptr<ByteStream> bytes_;
  SNDFILE* file_ = nullptr;
  AudioFacts facts_;
  std::uint64_t frames_read_ = 0;
  bool reads_shorts_ = false;
  // The first read that came short ended the data: after it the library
  // may yet make a frame of the bytes that were too few for one, or tell
  // again of a failure at the end.
  bool ended_ = false;
  std::vector<short> shorts_;
  std::string error_;
  std::optional<std::uint64_t> size_offset_;  // where the header's missing data size lies
  std::array<std::uint8_t, 4> size_bytes_{};  // and what is read there instead
};

}  // namespace

OpenedAudio OpenSoundStream(std::unique_ptr<ByteStream> bytes) {
  auto source = std::make_unique<SoundFile>(std::move(bytes));
  std::string reason = source->Open();
  if (!reason.empty()) return {nullptr, std::move(reason)};
  return {std::move(source), {}};
}

OpenedAudio OpenSoundFile(const std::string& path) {
  return OpenSoundStream(std::make_unique<FileStream>(path, OpenMode::Read, kReadBufferBytes));
}

}  // namespace orvano::decode
