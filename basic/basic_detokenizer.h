#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "basic/dialect.h"
#include "basic/program_listing.h"
#include "common/byte_stream.h"
#include "common/conversion_options.h"

namespace orvano::basic {

// How a listing into a file ended.
enum class ListStatus {
  Written,       // the listing is in place of the file
  SourceFailed,  // there is no program to read, or the system refused a read
  CreateFailed,  // the listing file could not be created
  WriteFailed,   // a write, or putting the file in place, failed
};

struct ListResult {
  ListStatus status = ListStatus::Written;
  // What the stream that failed reported.
  StreamStatus stream_status = StreamStatus::Ok;
  int system_error = 0;
  // The dialect, its choice line and the problems; the text is in the file.
  ProgramListing listing;
};

// Lists a tokenised BASIC program from a stream or a file as text: one
// record per program line, the line number, a blank, the statement text
// with every keyword spelled out, CR LF (program_listing.h).
//
// The program is read through the stream's short-read rule: once a read runs
// past the end, it and every later read give zeros, so a constant cut short
// reads as 0, the line ends at the next byte and the next link word ends the
// listing. A damaged program is listed as far as its data goes.
class BasicDetokenizer {
 public:
  // The longest text of one line; whatever comes beyond it is dropped.
  static constexpr std::size_t kMaxTextLength = 255;
  // The longest record of Korvet BASIC, CR LF included. A longer one keeps
  // its CR LF, so that the next line of the listing still starts on a line
  // of its own.
  static constexpr std::size_t kMaxRecordLength = 255;
  // Buffer of the streams that the listing opens: whole blocks per read.
  static constexpr std::size_t kStreamBufferSize = 64 * 1024;
  // A program fills at most the 64 KB of the computer's memory; of a larger
  // file this much is listed, which is more than any program.
  static constexpr std::size_t kMaxProgramSize = 16 * 1024 * 1024;

  // Reads from `source` when it is given; the caller keeps it. Otherwise
  // opens `file_name` for reading and owns that stream; with an empty name
  // there is no source, and ListToFile reports so. Lists in `dialect`; the
  // operations pass the user's choice, and Korvet is the lister of old.
  BasicDetokenizer(ByteStream* source, const std::string& file_name, DialectChoice dialect = DialectChoice::Korvet);

  // Writes the listing of the whole program to a new file of that name. The
  // file replaces an earlier one only when all of it was written, so that a
  // failed run leaves the earlier listing whole.
  ListResult ListToFile(const std::string& file_name);

  // Writes the listing of the whole program to `output`, one write per
  // record: from the start of the source, after a leading 0xFF if there is
  // one, up to the first zero link word or the end of the data. A failed
  // output ends it early. The text of the result stays empty.
  ProgramListing ListTo(ByteStream& output);

  // Reads the tokenised text of one line, up to and including its 0x00, and
  // returns its text of at most kMaxTextLength characters. One line is too
  // little to tell a dialect by, so Auto reads it as Korvet BASIC.
  std::string DecodeLine();

  // Two upper-case hexadecimal digits, high digit first.
  static std::string HexByte(std::uint8_t value);
  // Octal digits without leading zeros, "0" for 0.
  static std::string OctWord(std::uint16_t value);

 private:
  std::unique_ptr<ByteStream> owned_source_;
  ByteStream* source_;
  DialectChoice dialect_;
};

}  // namespace orvano::basic
