#include "encode/tape_conversion.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "common/file_stream.h"
#include "common/messages.h"
#include "encode/signal_length.h"
#include "encode/tape_signal.h"
#include "tape/tape_format.h"

namespace orvano::encode {
namespace {

// The source is read, and the output buffered, in blocks of this size.
constexpr std::size_t kBlockBytes = 64 * 1024;

constexpr std::array<std::string_view, 6> kPlayingHints{
    "Open this file in your Wave Editor or Player with following params:",
    "Sample rate: 44100 Hz",
    "Sample type: 16 Bit PCM",
    "Signed",
    "Byte order: Little-endian",
    "Chanels: Mono",
};

std::string OutputNameFor(std::string_view source_name, bool write_wave) {
  // Only the file-name part is upper-cased: the directories keep the names
  // they have on a case-sensitive host.
  return ChangeExt(UpperCaseFileName(source_name), write_wave ? "WAV" : "RAW");
}

void LogIntroduction(const TapeKind& kind, std::string_view output_name, std::string_view tape_name,
                     std::string_view address_line, Reporter& reporter) {
  Log(reporter, std::string(kind.intro) + std::string(output_name));
  for (const std::string_view hint : kPlayingHints) Log(reporter, hint);
  Log(reporter, "Set MSX filename to [" + std::string(tape_name) + "]");
  Log(reporter, "In PK8020/PK8010 KORVET you can read this file:");
  Log(reporter, "LOAD \"CAS:" + std::string(tape_name) + std::string(kind.load_ending));
  if (!address_line.empty()) Log(reporter, address_line);
}

std::string EmptyText(std::string_view source_name) { return "File: " + std::string(source_name) + " is empty"; }

std::string TooLargeText(std::string_view source_name) {
  return "File: " + std::string(source_name) + " is too large: its tape signal would not fit in a WAV file";
}

// Reads the source block by block and hands every byte to the body, until the
// end or the first read error; a failed output ends it too, as nothing more
// could reach the file.
void EncodeData(ByteStream& source, std::uint64_t size, TapeBody& body, TapeEncoder& encoder,
                const ByteStream& output, Progress& progress) {
  std::vector<std::uint8_t> block(kBlockBytes);
  std::uint64_t position = 0;
  while (position < size && !output.Failed()) {
    const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(kBlockBytes, size - position));
    source.Read({block.data(), count});
    if (source.Failed()) return;
    for (std::size_t i = 0; i < count; ++i) {
      ++position;
      body.Byte(encoder, position, block[i]);
      progress.Set(position, size);
    }
  }
}

}  // namespace

Outcome RunConversion(const TapeKind& kind, std::string_view address_line, TapeBody& body, FileNameSet& names,
                      bool write_wave, Reporter& reporter) {
  const std::string source_name = names.SourceName;
  Log(reporter, "Reading file " + source_name);
  names.MsrName = OutputNameFor(source_name, write_wave);
  const std::string output_name = names.MsrName;
  const std::string tape_name = TapeName(output_name);
  LogIntroduction(kind, output_name, tape_name, address_line, reporter);

  FileStream source(source_name, OpenMode::Read);
  if (source.Failed()) {
    Log(reporter, OpenFailedText(source_name));
    return Outcome::Failure;
  }
  const std::uint64_t size = source.Size();
  if (size == 0) {
    Log(reporter, EmptyText(source_name));
    return Outcome::Failure;
  }
  const std::uint8_t first_byte = source.ReadByte();
  source.Seek(0);
  if (body.DataBytes(size, first_byte) > kMaxDataBytes) {
    Log(reporter, TooLargeText(source_name));
    return Outcome::Failure;
  }
  if (SameFile(source_name, output_name)) {
    Log(reporter, SameFileText(output_name));
    return Outcome::Failure;
  }
  FileStream output(output_name, OpenMode::Create, kBlockBytes);
  if (output.Failed()) {
    Log(reporter, CreateFailedText(output_name));
    return Outcome::Failure;
  }
  Progress progress(reporter, kind.caption);

  TapeEncoder encoder(output, write_wave);
  encoder.StartSignal();
  encoder.WriteLeader(LongLeaderCells);
  for (std::size_t i = 0; i < tape::kTypeByteCount; ++i) encoder.WriteTapeByte(kind.type_byte);
  encoder.WriteTapeName(tape_name);
  body.Begin(encoder, size);
  EncodeData(source, size, body, encoder, output, progress);
  body.End(encoder);
  if (encoder.WritesWave()) encoder.WriteWaveHeader();

  // A short input must not replace an earlier, whole output of that name.
  source.Release();
  const bool read_failed = source.Failed();
  if (read_failed) {
    output.Discard();
  } else {
    output.Release();
  }
  progress.Close();
  if (read_failed) Log(reporter, ReadFailedText(source_name, source));
  if (output.Failed()) Log(reporter, WriteFailedText(output_name, output));
  if (read_failed || output.Failed()) return Outcome::Failure;
  Log(reporter, "Sucessfully!!!");
  return Outcome::Success;
}

}  // namespace orvano::encode
