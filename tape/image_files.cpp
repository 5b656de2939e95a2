#include "tape/image_files.h"

#include <optional>
#include <vector>

#include "common/file_stream.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "tape/cas_image.h"
#include "tape/file_assembly.h"
#include "tape/file_writer.h"
#include "tape/output_file.h"
#include "tape/tape_outputs.h"
#include "tape/tape_report.h"

namespace orvano::tape {
namespace {

// Reads the whole image and its blocks; logs why when there is nothing to go on.
std::optional<CasImage> LoadImage(const std::string& path, Reporter& reporter) {
  Log(reporter, "Open file " + path + " for reading");
  FileStream in(path, OpenMode::Read, 64 * 1024);
  if (in.Failed()) {
    ReportFailure(path, OpenFailedText(path), reporter);
    return std::nullopt;
  }
  if (in.Size() > kMaxCasImageBytes) {
    ReportFailure(path,
                  "File " + path + " is too large for a tape image: " + Decimal(in.Size()) + " bytes, at most " +
                      Decimal(kMaxCasImageBytes),
                  reporter);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(in.Size()));
  in.Read(bytes);
  if (in.Failed()) {
    ReportFailure(path, ReadFailedText(path, in), reporter);
    return std::nullopt;
  }
  if (bytes.empty()) {
    ReportFailure(path, "File " + path + " is empty", reporter);
    return std::nullopt;
  }
  CasImage image = ReadCasImage(bytes);
  if (image.blocks.empty()) {
    ReportFailure(path, "File " + path + " is no tape image: it holds no block marker", reporter);
    return std::nullopt;
  }
  for (const CasImageIssue& issue : image.issues) Warn(reporter, IssueText(issue));
  return image;
}

void Account(const std::string& path, const CasImage& image, const TapeLayout& layout, const WrittenFiles& written,
             const std::string& dir, Reporter& reporter) {
  const TapeAccount account{path, image.blocks, layout, written.files, dir};
  LogTape(account, reporter);
  reporter.Document(TapeJson(account));
  reporter.Table(FilesTable(account));
}

}  // namespace

void LogImageFiles(const std::string& path, const CasImage& image, Reporter& reporter) {
  for (const CasImageIssue& issue : image.issues) Warn(reporter, IssueText(issue));
  LogTape({path, image.blocks, AssembleFiles(image.blocks), {}, {}}, reporter);
}

Outcome ListCasImage(const std::string& path, Reporter& reporter) {
  const std::optional<CasImage> image = LoadImage(path, reporter);
  if (!image) return Outcome::Failure;
  Account(path, *image, AssembleFiles(image->blocks), {}, {}, reporter);
  return Outcome::Success;
}

Outcome ExtractCasImage(const std::string& path, const std::string& dir, const ConversionOptions& options,
                        Reporter& reporter) {
  const std::optional<CasImage> image = LoadImage(path, reporter);
  if (!image) return Outcome::Failure;
  const std::string folder = dir.empty() ? DefaultOutputFolder(path) : dir;
  const TapeLayout layout = AssembleFiles(image->blocks);
  if (!MakeOutputFolder(folder, reporter)) {
    Account(path, *image, layout, {}, {}, reporter);
    return Outcome::Failure;
  }
  const WrittenFiles written = WriteTapeFiles(folder, layout, options.dialect, path, reporter);
  Account(path, *image, layout, written, folder, reporter);
  return written.outcome;
}

}  // namespace orvano::tape
