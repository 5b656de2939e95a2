#pragma once

#include "common/conversion_options.h"
#include "common/file_names.h"
#include "common/outcome.h"
#include "common/reporter.h"

namespace orvano::encode {

// Each converts names.SourceName, opened under the name the user chose, into
// the tape image of one MSX tape file beside it: .RAW, or .WAV when
// options.WriteWave is set, with the file-name part upper-cased, at the
// options' baud. The output name goes to names.MsrName. Every line and
// failure is in the log.

// A memory image behind the load, end and start addresses; the end address
// is load + size - 1, modulo 65536.
Outcome ConvertBinary(FileNameSet& names, const ConversionOptions& options, Reporter& reporter);
// A tokenised program without the 0xFF a disk file may begin with, then ten zeros.
Outcome ConvertBasic(FileNameSet& names, const ConversionOptions& options, Reporter& reporter);
// The text in blocks of 256 bytes, closed with 0x1A end marks.
Outcome ConvertText(FileNameSet& names, const ConversionOptions& options, Reporter& reporter);

}  // namespace orvano::encode
