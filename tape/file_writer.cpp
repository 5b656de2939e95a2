#include "tape/file_writer.h"

#include "tape/output_file.h"
#include "tape/program_listing.h"
#include "tape/tape_file_names.h"

namespace orvano::tape {

WrittenFiles WriteTapeFiles(const std::string& dir, const TapeLayout& layout, DialectChoice dialect,
                            const std::string& input, Reporter& reporter) {
  WrittenFiles written;
  written.files.resize(layout.files.size());
  const auto write = [&](const std::string& name, std::span<const std::uint8_t> bytes, std::string& written_name) {
    if (WriteOutputFile(PathIn(dir, name), bytes, reporter, input)) {
      written_name = name;
    } else {
      written.outcome = Outcome::Failure;
    }
  };
  for (std::size_t i = 0; i < layout.files.size(); ++i) {
    const TapeFile& file = layout.files[i];
    if (!file.has_contents) continue;
    write(DataFileName(i + 1, file), file.contents, written.files[i].data);
    if (file.type == FileType::Basic) {
      const basic::ProgramListing listing = ListTapeProgram(file.contents, dialect);
      const std::string name = ListingFileName(i + 1, file);
      write(name, {reinterpret_cast<const std::uint8_t*>(listing.text.data()), listing.text.size()},
            written.files[i].listing);
      if (written.files[i].listing.empty()) continue;
      written.files[i].listing_note = listing.choice_line;
      written.files[i].listing_problems = listing.problems;
    }
  }
  return written;
}

}  // namespace orvano::tape
