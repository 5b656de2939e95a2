#include "encode/image_contents.h"

#include <string>

#include "common/number_text.h"
#include "encode/image_signal.h"
#include "encode/tape_file_kind.h"
#include "tape/tape_format.h"

namespace orvano::encode {

void LogImageContents(const tape::CasImage& image, Reporter& reporter) {
  for (const tape::CasImageIssue& issue : image.issues) Warn(reporter, tape::IssueText(issue));
  const std::size_t count = image.blocks.size();
  Log(reporter, "The image holds " + Decimal(count) + (count == 1 ? " block:" : " blocks:"));
  for (std::size_t i = 0; i < count; ++i) {
    const std::vector<std::uint8_t>& bytes = image.blocks[i].bytes;
    std::string line = "Block " + Decimal(i + 1) + ": " + Decimal(bytes.size()) + " bytes";
    if (IsHeaderBlock(bytes)) {
      line += ", header of " + std::string(KindName(bytes.front())) + " [" + HeaderName(bytes) + "]";
    }
    Log(reporter, line);
  }
}

}  // namespace orvano::encode
