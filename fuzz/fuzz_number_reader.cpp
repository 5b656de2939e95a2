// Any text for the address and marker readers: a value read back from its
// own formatting must be the same value.
#include <cstdlib>
#include <string_view>

#include "common/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto address = orvano::ReadAddress(text)) {
    if (orvano::ReadAddress(orvano::AddressText(*address)) != address) std::abort();
  }
  if (const auto marker = orvano::ReadMarkerNumber(text)) {
    if (orvano::ReadMarkerNumber(orvano::Decimal(*marker)) != marker) std::abort();
  }
  return 0;
}
