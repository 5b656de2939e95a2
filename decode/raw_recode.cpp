#include "decode/audio_recode.h"
#include "decode/audio_source.h"
#include "decode/block_pass.h"
#include "decode/operations.h"
#include "decode/sample_recode.h"

namespace orvano::decode {
namespace {

// The size of the recoded file's stream buffer: 20148, not 20480.
constexpr std::size_t kMsrBufferBytes = 20148;

// A .RAW file is already what the recoded file is made of: 16-bit samples at
// 44100 Hz, squared in place block by block.
Outcome RecodeRawSamples(const FileNameSet& names, Reporter& reporter) {
  const BlockPass pass{names.SourceName, names.MsrName, kMsrBufferBytes, "Recode RAW file"};
  const auto recode = [](std::span<std::uint8_t> block) -> std::span<const std::uint8_t> {
    RecodeSamples(block);
    return block;
  };
  return RunBlockPass(pass, recode, reporter);
}

}  // namespace

Outcome RawRecode(FileNameSet& names, const ConversionOptions& options, Reporter& reporter) {
  Log(reporter, "Open file " + names.SourceName + " for recode");
  names.MsrName = ChangeExt(names.SourceName, "MSR");
  Log(reporter, "Write to " + names.MsrName);

  const Outcome outcome = IsRawSampleName(names.SourceName) ? RecodeRawSamples(names, reporter)
                                                             : RecodeRecording(names, options, reporter);
  if (outcome == Outcome::Failure) return Outcome::Failure;
  Log(reporter, "You can rename *.MSR file to *.RAW file for writing to cassette");
  return Outcome::Success;
}

}  // namespace orvano::decode
