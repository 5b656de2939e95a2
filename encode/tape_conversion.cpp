#include "encode/tape_conversion.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/file_stream.h"
#include "common/messages.h"
#include "encode/conversion_texts.h"
#include "encode/signal_length.h"
#include "tape/tape_format.h"

namespace orvano::encode {
namespace {

// The source is read in blocks of this size.
constexpr std::size_t kBlockBytes = 64 * 1024;
// The signal is many times the source: large writes keep the system calls
// few, while the buffer still fits the core's cache.
constexpr std::size_t kOutputBufferBytes = 256 * 1024;

void LogIntroduction(const TapeKind& kind, std::string_view output_name, std::string_view tape_name,
                     std::string_view address_line, Baud baud, Reporter& reporter) {
  Log(reporter, std::string(kind.intro) + std::string(output_name));
  LogPlayingHints(baud, reporter);
  Log(reporter, "Set MSX filename to [" + std::string(tape_name) + "]");
  Log(reporter, "In PK8020/PK8010 KORVET you can read this file:");
  Log(reporter, "LOAD \"CAS:" + std::string(tape_name) + std::string(kind.load_ending));
  if (!address_line.empty()) Log(reporter, address_line);
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
                      const ConversionOptions& options, Reporter& reporter) {
  const std::string source_name = names.SourceName;
  Log(reporter, "Reading file " + source_name);
  const TapeTiming& timing = TimingFor(options.baud);
  names.MsrName = OutputNameFor(source_name, options.WriteWave);
  const std::string output_name = names.MsrName;
  const TapeNameChoice name_choice = ChooseTapeName(output_name);
  const std::string& tape_name = name_choice.name;
  LogIntroduction(kind, output_name, tape_name, address_line, options.baud, reporter);
  WarnAboutTapeName(name_choice, NameOf(output_name), reporter);

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
  body.Check(size, reporter);
  const std::uint8_t first_byte = source.ReadByte();
  source.Seek(0);
  if (!MayWriteSignal(source_name, output_name, body.DataBytes(timing, size, first_byte), reporter)) {
    return Outcome::Failure;
  }
  FileStream output(output_name, OpenMode::Create, kOutputBufferBytes);
  if (output.Failed()) {
    Log(reporter, CreateFailedText(output_name));
    return Outcome::Failure;
  }
  Progress progress(reporter, kind.caption);

  TapeEncoder encoder(output, options.WriteWave, timing);
  encoder.StartSignal();
  encoder.StartHeaderBlock();
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
