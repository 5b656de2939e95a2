#pragma once

// What must hold for any blocks, however they were made: the assembly
// accounts for every block within its bytes, the image holds every block,
// and the report is made whatever the names and bytes are.
#include <cstdlib>
#include <span>
#include <string>

#include "tape/file_assembly.h"
#include "tape/image_writer.h"
#include "tape/tape_report.h"

namespace orvano::fuzz {

class NullReporter final : public Reporter {
 public:
  void AddLine(LineKind, std::string_view text) override {
    if (text.empty()) std::abort();
  }
  void OpenProgress(std::string_view) override {}
  void SetProgress(int) override {}
  void CloseProgress() override {}
  void ShowWarning(std::string_view) override {}
};

inline void CheckTape(std::span<const tape::TapeBlock> blocks) {
  using namespace orvano::tape;
  const TapeLayout layout = AssembleFiles(blocks);
  if (layout.blocks.size() != blocks.size()) std::abort();
  std::size_t kept = 0;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const BlockUse& use = layout.blocks[i];
    if (use.kept > blocks[i].bytes.size() || use.kept + use.ignored > blocks[i].bytes.size()) std::abort();
    if (use.file && *use.file >= layout.files.size()) std::abort();
    kept += use.kept;
  }
  for (const TapeFile& file : layout.files) {
    if (layout.blocks[file.header_block].part != BlockUse::Part::Header) std::abort();
    if (!file.has_contents && !file.contents.empty()) std::abort();
    if (file.Status() == FileStatus::Complete && file.type == FileType::Binary &&
        file.contents.size() != static_cast<std::size_t>(file.addresses->end - file.addresses->load) + 1) {
      std::abort();
    }
  }
  const std::vector<std::uint8_t> image = TapeImageOf(blocks, layout);
  if (image.size() < kept + 8 * blocks.size()) std::abort();
  const TapeAccount account{"fuzz", blocks, layout, {}, {}};
  NullReporter reporter;
  LogTape(account, reporter);
  const std::string json = TapeJson(account);
  if (json.empty() || json.front() != '{' || json.back() != '}') std::abort();
  if (FilesTable(account).rows.size() != layout.files.size()) std::abort();
}

}  // namespace orvano::fuzz
