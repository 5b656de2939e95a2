#include "encode/image_conversion.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "common/file_stream.h"
#include "common/messages.h"
#include "encode/conversion_texts.h"
#include "tape/image_files.h"
#include "encode/image_signal.h"
#include "encode/signal_length.h"
#include "encode/tape_file_kind.h"
#include "tape/cas_image.h"

namespace orvano::encode {
namespace {

// Large writes keep the system calls few; the buffer still fits the core's
// cache.
constexpr std::size_t kOutputBufferBytes = 256 * 1024;

// The whole image, read before anything else happens; nothing when it could
// not be read, after the reason is in the log.
std::optional<std::vector<std::uint8_t>> ReadImage(const std::string& source_name, Reporter& reporter) {
  FileStream source(source_name, OpenMode::Read);
  if (source.Failed()) {
    Log(reporter, OpenFailedText(source_name));
    return std::nullopt;
  }
  if (source.Size() > kMaxImageBytes) {
    Log(reporter, ImageTooLargeText(source_name));
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(source.Size()));
  source.Read(bytes);
  source.Release();
  if (source.Failed()) {
    Log(reporter, ReadFailedText(source_name, source));
    return std::nullopt;
  }
  return bytes;
}

bool HoldsNoData(const tape::CasImage& image) {
  return std::all_of(image.blocks.begin(), image.blocks.end(),
                     [](const tape::TapeBlock& block) { return block.bytes.empty(); });
}

void LogLoadHint(const tape::CasImage& image, Reporter& reporter) {
  const auto header = std::find_if(image.blocks.begin(), image.blocks.end(),
                                   [](const tape::TapeBlock& block) { return IsHeaderBlock(block.bytes); });
  if (header == image.blocks.end()) {
    Log(reporter, "No block is a file header: the tape needs a loader of its own");
    return;
  }
  Log(reporter, "Load the first file on the MSX with: " +
                    LoadCommand(header->bytes.front(), HeaderName(header->bytes)));
}

}  // namespace

bool StartsAsCasImage(const std::string& path) {
  FileStream source(path, OpenMode::Read);
  std::array<std::uint8_t, tape::kCasMarker.size()> start{};
  source.Read(start);
  return !source.Failed() && tape::StartsWithCasMarker(start);
}

Outcome ConvertCasImage(FileNameSet& names, const ConversionOptions& options, Reporter& reporter) {
  const std::string source_name = names.SourceName;
  Log(reporter, "Reading file " + source_name);
  names.MsrName = OutputNameFor(source_name, options.WriteWave);
  const std::string output_name = names.MsrName;
  Log(reporter, "Convert tape image to MSX tape signal " + output_name);
  LogPlayingHints(options.baud, reporter);

  const std::optional<std::vector<std::uint8_t>> bytes = ReadImage(source_name, reporter);
  if (!bytes) return Outcome::Failure;
  const tape::CasImage image = tape::ReadCasImage(*bytes);
  if (HoldsNoData(image)) {
    Log(reporter, "File: " + source_name + " is an empty tape image");
    return Outcome::Failure;
  }
  tape::LogImageFiles(source_name, image, reporter);
  LogLoadHint(image, reporter);

  const TapeTiming& timing = TimingFor(options.baud);
  if (!MayWriteSignal(source_name, output_name, ImageDataBytes(image.blocks, timing), reporter)) {
    return Outcome::Failure;
  }
  FileStream output(output_name, OpenMode::Create, kOutputBufferBytes);
  if (output.Failed()) {
    Log(reporter, CreateFailedText(output_name));
    return Outcome::Failure;
  }
  Progress progress(reporter, "Convert tape image");
  TapeEncoder encoder(output, options.WriteWave, timing);
  encoder.StartSignal();
  EncodeImageBlocks(image.blocks, encoder, output, progress);
  if (encoder.WritesWave()) encoder.WriteWaveHeader();
  output.Release();
  progress.Close();
  if (output.Failed()) {
    Log(reporter, WriteFailedText(output_name, output));
    return Outcome::Failure;
  }
  Log(reporter, "Sucessfully!!!");
  return Outcome::Success;
}

}  // namespace orvano::encode
