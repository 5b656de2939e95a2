#pragma once

#include <cstdint>
#include <string_view>

#include "common/conversion_options.h"
#include "common/file_names.h"
#include "common/outcome.h"
#include "common/reporter.h"
#include "encode/tape_encoder.h"

namespace orvano::encode {

// What tells the three kinds of tape file apart in the log and the header.
struct TapeKind {
  std::uint8_t type_byte;
  std::string_view caption;      // of the progress report
  std::string_view intro;        // "Convert source to MSX tape ... " before the output name
  std::string_view load_ending;  // what follows the tape name in the LOAD line
};

// What a kind writes behind its header block.
class TapeBody {
 public:
  virtual ~TapeBody() = default;
  // The DataBytes the whole conversion will end with.
  virtual std::uint64_t DataBytes(const TapeTiming& timing, std::uint64_t source_size,
                                  std::uint8_t first_byte) const = 0;
  virtual void Begin(TapeEncoder& encoder, std::uint64_t source_size) = 0;
  // `position` is the source position after the byte was read, 1 for the first.
  virtual void Byte(TapeEncoder& encoder, std::uint64_t position, std::uint8_t value) = 0;
  virtual void End(TapeEncoder& encoder) = 0;
  // Warns about what is odd in a source of this size; the encoding goes on.
  virtual void Check(std::uint64_t, Reporter&) const {}
};

// One whole conversion of names.SourceName into a tape image beside it, named
// in names.MsrName: the introduction in the log, the checks, the header
// block, the body, the WAV header and the closing line, at the options' baud.
// `address_line`, when not empty, is logged after the LOAD line.
Outcome RunConversion(const TapeKind& kind, std::string_view address_line, TapeBody& body, FileNameSet& names,
                      const ConversionOptions& options, Reporter& reporter);

}  // namespace orvano::encode
