// Any bytes as a .CAS program, in each dialect and in Auto: the lister must
// end, stay in bounds, keep every record within its limit, and Auto must
// list exactly as the dialect it names.
#include <cstdlib>
#include <string>
#include <vector>

#include "basic/basic_detokenizer.h"
#include "basic/program_listing.h"
#include "common/memory_stream.h"
#include "tests/support/record_stream.h"

namespace {

using orvano::DialectChoice;
using orvano::basic::BasicDetokenizer;
using orvano::basic::Dialect;
using orvano::basic::ProgramListing;
using orvano::testing::RecordStream;

void Check(bool condition) {
  if (!condition) std::abort();
}

// The longest record: a five-digit number, a blank, 255 characters that may
// each be an LF with its CR, and CR LF; Korvet BASIC cuts records to 255.
std::size_t LongestRecord(Dialect dialect) {
  return dialect == Dialect::Korvet ? BasicDetokenizer::kMaxRecordLength
                                    : 5 + 1 + 2 * BasicDetokenizer::kMaxTextLength + 2;
}

ProgramListing ListThroughStream(const std::vector<std::uint8_t>& program, DialectChoice choice) {
  orvano::MemoryStream source(program);
  RecordStream records;
  BasicDetokenizer lister(&source, "", choice);
  ProgramListing listing = lister.ListTo(records);
  for (const std::string& record : records.Records()) {
    Check(record.size() >= 4 && record.size() <= LongestRecord(listing.dialect));
    Check(record.ends_with("\r\n"));
    listing.text += record;
  }
  return listing;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> program(data, data + size);
  const ProgramListing automatic = orvano::basic::ListProgram(program, DialectChoice::Auto);
  for (const DialectChoice choice : {DialectChoice::Msx, DialectChoice::Korvet}) {
    const ProgramListing listing = orvano::basic::ListProgram(program, choice);
    Check(listing.problems.size() <= orvano::basic::kMaxProblems + 1);
    Check(listing.text.empty() || listing.text.ends_with("\r\n"));
    Check(ListThroughStream(program, choice).text == listing.text);
    if (listing.dialect == automatic.dialect)
      Check(listing.text == automatic.text && listing.problems == automatic.problems);
  }
  return 0;
}
