// Any bytes as a .CAS program: the lister must end, stay in bounds and keep
// every record within its limit.
#include <cstdlib>

#include "basic/basic_detokenizer.h"
#include "common/memory_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  orvano::MemoryStream source(std::vector<std::uint8_t>(data, data + size));
  orvano::MemoryStream listing;
  orvano::basic::BasicDetokenizer lister(&source, "");
  lister.ListTo(listing);
  // Every record ends in CR LF and is at most 255 bytes long.
  const auto& bytes = listing.Bytes();
  std::size_t start = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    if (bytes[i] == '\r' && bytes[i + 1] == '\n') {
      if (i + 2 - start > orvano::basic::BasicDetokenizer::kMaxRecordLength) std::abort();
      start = i + 2;
      ++i;
    }
  }
  if (start != bytes.size()) std::abort();
  return 0;
}
