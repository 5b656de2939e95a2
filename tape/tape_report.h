#pragma once

#include <span>
#include <string>

#include "common/reporter.h"
#include "tape/file_assembly.h"
#include "tape/file_writer.h"
#include "tape/tape_block.h"

namespace orvano::tape {

// What was found on one tape, and what was written of it.
struct TapeAccount {
  std::string source;  // the recording or the tape image, as it was named
  std::span<const TapeBlock> blocks;
  const TapeLayout& layout;
  std::span<const FileOutputs> outputs;  // empty when nothing was written
  std::string output_dir;                // empty when nothing was written
};

// The log: one line per file (place, type, name, size, addresses, speed,
// status and what is wrong, and where), one per block of no file, one per
// block whose ignored tail holds more than padding, and the summary line.
void LogTape(const TapeAccount& account, Reporter& reporter);

// The same as data (report.json), and the files as the rows of a table.
std::string TapeJson(const TapeAccount& account);
ResultTable FilesTable(const TapeAccount& account);

// An operation that could not read its source at all: the line goes to the
// log, and a document that says the same to whoever wanted the report.
void ReportFailure(const std::string& source, const std::string& text, Reporter& reporter);

// Seconds to the millisecond, "12.345".
std::string SecondsText(double seconds);

}  // namespace orvano::tape
