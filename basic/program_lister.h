#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "basic/dialect.h"
#include "basic/line_addresses.h"
#include "basic/program_listing.h"
#include "basic/program_reader.h"

namespace orvano::basic {

// Lists a program record by record in one dialect, and collects the problem
// lines of what it finds damaged.
class ProgramLister {
 public:
  // `program` starts at the first link word. With `addresses`, line
  // pointers list as the lines they point at and links are checked.
  ProgramLister(std::span<const std::uint8_t> program, const DialectRules& rules, const LineAddressMap* addresses);

  // The next record, CR LF included; false at the end of the program.
  bool Next(std::string& record);

  const std::vector<ProgramLine>& Lines() const { return lines_; }
  std::vector<std::string> TakeProblems() { return std::move(problems_); }

 private:
  void Finish(bool end_mark_found);
  void CheckLink(const ProgramLine& line);

  std::span<const std::uint8_t> program_;
  // The program read with the stream's short-read rule: zeros after the end.
  ProgramReader source_;
  const DialectRules& rules_;
  const LineAddressMap* addresses_;
  std::vector<ProgramLine> lines_;
  std::vector<std::string> problems_;
  bool finished_ = false;
};

// Lists `program` (with or without its disk-file marker) in the chosen
// dialect and hands each record to `sink`, which says whether to go on.
// The text of the result stays empty.
ProgramListing ListRecords(std::span<const std::uint8_t> program, DialectChoice choice,
                           const std::function<bool(std::string_view)>& sink);

}  // namespace orvano::basic
