#include "encode/convert_source.h"

#include "common/file_names.h"
#include "encode/conversions.h"
#include "encode/image_conversion.h"
#include "encode/source_kind.h"

namespace orvano::encode {

Outcome ConvertSource(const std::string& chosen, FileNameSet& names, const ConversionOptions& options,
                      Reporter& reporter) {
  // The source is opened and logged under the name the user chose; only its
  // file-name part is upper-cased to pick the kind and to name the output.
  names.SourceName = chosen;
  switch (KindOfExtension(ExtOf(UpperCaseFileName(chosen)))) {
    case SourceKind::Text:
      return ConvertText(names, options, reporter);
    case SourceKind::Basic:
      if (StartsAsCasImage(chosen)) return ConvertCasImage(names, options, reporter);
      return ConvertBasic(names, options, reporter);
    case SourceKind::Command:
      reporter.ShowWarning("Sorry, in this moment present only bin file conversion");
      return ConvertBinary(names, options, reporter);
    case SourceKind::Binary:
      return ConvertBinary(names, options, reporter);
    case SourceKind::None:
      Log(reporter, chosen + ": not a file to put on tape (.BIN, .COM, .CAS, .TXT, .BAS, .PAS or .DOC)");
      break;
  }
  return Outcome::Failure;
}

}  // namespace orvano::encode
