// Any bytes as a .TX2 bit file, through the whole CAS/TXT/BIN decode on a
// file in memory-backed storage: it must end and report, whatever it reads.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/recording_reporter.h"
#include "tape/cas_decode.h"

namespace {

std::string WorkDirectory() {
  char pattern[] = "/dev/shm/orvano-fuzz-XXXXXX";
  const char* dir = ::mkdtemp(pattern);
  if (dir == nullptr) std::abort();
  return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string dir = WorkDirectory();
  const std::string source = dir + "/TAPE.RAW";
  std::FILE* bits = std::fopen((dir + "/TAPE.TX2").c_str(), "wb");
  if (bits == nullptr || std::fwrite(data, 1, size, bits) != size || std::fclose(bits) != 0) std::abort();

  orvano::FileNameSet names;
  names.SourceName = source;
  orvano::RecordingReporter reporter;
  const auto result = orvano::tape::CasDecode(names, reporter);
  if (result.outcome == orvano::Outcome::Success && result.kind == orvano::tape::TapeFileKind::None) std::abort();
  if (reporter.ProgressOpen()) std::abort();
  for (const char* ext : {"/TAPE.CAS", "/TAPE.TXT", "/TAPE.BIN"}) ::unlink((dir + ext).c_str());
  return 0;
}
