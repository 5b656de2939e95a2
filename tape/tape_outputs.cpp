#include "tape/tape_outputs.h"

#include "common/file_names.h"
#include "tape/file_assembly.h"
#include "tape/file_writer.h"
#include "tape/image_writer.h"
#include "tape/output_file.h"
#include "tape/tape_file_names.h"
#include "tape/tape_report.h"

namespace orvano::tape {

std::string FolderNameOf(const std::string& source) {
  std::string base = NameOf(source);
  return base.empty() ? "NONAME" : base;
}

std::string DefaultOutputFolder(const std::string& source) {
  const auto slash = source.rfind('/');
  return (slash == std::string::npos ? std::string() : source.substr(0, slash + 1)) + FolderNameOf(source);
}

Outcome WriteTapeOutputs(const std::string& source, std::span<const TapeBlock> blocks, const std::string& dir,
                         const ConversionOptions& options, Reporter& reporter) {
  const TapeLayout layout = AssembleFiles(blocks);
  WrittenFiles written;
  bool ok = MakeOutputFolder(dir, reporter);
  if (ok) {
    ok = WriteOutputFile(PathIn(dir, kTapeImageName), TapeImageOf(blocks, layout), reporter, source);
    written = WriteTapeFiles(dir, layout, options.dialect, source, reporter);
    ok = ok && written.outcome == Outcome::Success;
  }
  const TapeAccount account{source, blocks, layout, written.files, ok ? dir : std::string()};
  const std::string json = TapeJson(account);
  if (ok) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(json.data());
    ok = WriteOutputFile(PathIn(dir, kReportName), {bytes, json.size()}, reporter, source);
  }
  LogTape(account, reporter);
  reporter.Document(json);
  reporter.Table(FilesTable(account));
  return ok && !layout.files.empty() ? Outcome::Success : Outcome::Failure;
}

}  // namespace orvano::tape
