#include "basic/bas_decode.h"

#include "basic/basic_detokenizer.h"
#include "common/file_stream.h"
#include "common/messages.h"

namespace orvano::basic {
namespace {

// When the tape held no program, the extraction wrote a text or a binary
// instead: the one it just wrote, or else the one that lies beside.
std::string OtherTapeFileText(const std::string& source, const std::string& last_output) {
  for (const auto& [extension, kind] : {std::pair{"TXT", "a text file"}, std::pair{"BIN", "a binary file"}}) {
    const std::string name = ChangeExt(source, extension);
    if (last_output == name || (last_output.empty() && CanOpenForReading(name))) {
      return std::string("The tape held ") + kind + ", not a BASIC program: it was written to " + name;
    }
  }
  return {};
}

}  // namespace

Outcome BasDecode(FileNameSet& names, DialectChoice dialect, Reporter& reporter) {
  const std::string last_output = names.OutputName;
  const std::string cas_name = ChangeExt(names.SourceName, "CAS");
  names.OutputName = cas_name;
  Log(reporter, "Open file " + cas_name + " for reading");
  const std::string bas_name = ChangeExt(names.SourceName, "BAS");
  names.BasName = bas_name;
  Log(reporter, "Processing BAS file create " + bas_name);

  FileStream input(cas_name, OpenMode::Read, BasicDetokenizer::kStreamBufferSize);
  if (input.Failed()) {
    Log(reporter, "Error reading file: " + cas_name);
    if (const std::string other = OtherTapeFileText(names.SourceName, last_output); !other.empty()) {
      Log(reporter, other);
    }
    return Outcome::Failure;
  }
  // A .BAS name that leads to the .CAS file itself (a link) would put the
  // listing in place of the program.
  if (SameFile(cas_name, bas_name)) {
    Log(reporter, SameFileText(bas_name));
    return Outcome::Failure;
  }

  BasicDetokenizer detokenizer(&input, "", dialect);
  const ListResult result = detokenizer.ListToFile(bas_name);
  switch (result.status) {
    case ListStatus::Written:
      Log(reporter, result.listing.choice_line);
      for (const std::string& problem : result.listing.problems) Warn(reporter, problem);
      Log(reporter, "BAS file " + bas_name + " create successfully!!!");
      return Outcome::Success;
    case ListStatus::SourceFailed:
      Log(reporter, ReadFailedText(cas_name, input));
      break;
    case ListStatus::CreateFailed:
      Log(reporter, CreateFailedText(bas_name));
      break;
    case ListStatus::WriteFailed:
      Log(reporter, WriteFailedText(bas_name, result.stream_status, result.system_error));
      break;
  }
  return Outcome::Failure;
}

}  // namespace orvano::basic
