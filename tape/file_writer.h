#pragma once

#include <string>
#include <vector>

#include "common/conversion_options.h"
#include "common/outcome.h"
#include "common/reporter.h"
#include "tape/file_assembly.h"

namespace orvano::tape {

// The names of what was written for one file, empty for what was not.
struct FileOutputs {
  std::string data;     // NN-NAME.CAS, .BIN or .TXT
  std::string listing;  // NN-NAME.BAS
  // How the program was listed ("listed as MSX BASIC (...)"), and the
  // damage the lister met, one line each.
  std::string listing_note;
  std::vector<std::string> listing_problems;
};

struct WrittenFiles {
  Outcome outcome = Outcome::Success;
  std::vector<FileOutputs> files;  // one for each file of the layout
};

// Writes the contents of every file that has any into `dir`, and the
// listing of every program, each file whole or not at all. A file that
// is damaged or incomplete is written with what there is; a header alone
// gives nothing. A failure is logged and the other files are still written.
// No output may take the place of the file `input`.
WrittenFiles WriteTapeFiles(const std::string& dir, const TapeLayout& layout, DialectChoice dialect,
                            const std::string& input, Reporter& reporter);

}  // namespace orvano::tape
